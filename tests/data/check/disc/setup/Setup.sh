#!/bin/sh
echo "setup"
