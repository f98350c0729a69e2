# Initial cache of the kit's build (./dev.sh kit-linux: cmake -C): libraries that not every
# desktop installs are linked from their static archives where Debian ships one, so that the
# kit carries no file of theirs and the start from a disc seeks no file for them. The X11
# extension and utility libraries of the xcb platform, and liblzma (quillomat-catalogue's
# .deb reader). libxcb itself, libX11 and libxkbcommon stay the host's (see
# InstallLinuxKit.cmake); libxkbcommon-x11 and the session libraries (libSM, libICE) have no
# usable archive and are carried.
execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(archives "/usr/lib/${multiarch}")

# FindXCB's component names and the archives they come from.
set(xcb_components
  ICCCM:xcb-icccm IMAGE:xcb-image KEYSYMS:xcb-keysyms RANDR:xcb-randr RENDER:xcb-render
  RENDERUTIL:xcb-render-util SHAPE:xcb-shape SHM:xcb-shm SYNC:xcb-sync XFIXES:xcb-xfixes
  XINERAMA:xcb-xinerama XKB:xcb-xkb UTIL:xcb-util ATOM:xcb-util AUX:xcb-util EVENT:xcb-util)
foreach(entry IN LISTS xcb_components)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 component)
  list(GET entry 1 name)
  if(EXISTS "${archives}/lib${name}.a")
    set(XCB_${component}_LIBRARY "${archives}/lib${name}.a" CACHE FILEPATH "")
  endif()
endforeach()
# Archives are searched in link order, and libxcb-image uses libxcb-util, which the order of
# Qt's link line puts before it: the last word of every link line names it once more.
if(EXISTS "${archives}/libxcb-util.a")
  set(CMAKE_CXX_STANDARD_LIBRARIES "${archives}/libxcb-util.a" CACHE STRING "")
endif()
if(EXISTS "${archives}/liblzma.a")
  set(LIBLZMA_LIBRARY_RELEASE "${archives}/liblzma.a" CACHE FILEPATH "")
endif()
