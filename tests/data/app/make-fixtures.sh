#!/usr/bin/env bash
# Writes the RTF files of the main-window tests with LibreOffice from the HTML sources here.
set -euo pipefail
cd "$(dirname "$0")"
soffice -env:UserInstallation=file:///tmp/lo-app-fixtures --headless \
  --convert-to 'rtf:Rich Text Format' about.html package.html
