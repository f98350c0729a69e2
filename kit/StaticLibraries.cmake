# Initial cache of the kit's build (./dev.sh kit-linux: cmake -C): libraries that not every
# desktop installs are linked from their static archives where Debian ships one, so that the
# kit carries no file of theirs and the start from a disc seeks no file for them. The X11
# extension and utility libraries of the xcb platform, X11 session management (libSM, libICE
# and what they use: libuuid, libbsd, libmd), and liblzma (quillomat-catalogue's .deb reader).
# libxcb itself, libX11 and libxkbcommon stay the host's (see InstallLinuxKit.cmake);
# libxkbcommon-x11 has no archive and is carried, with its libxcb-xkb.
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
if(EXISTS "${archives}/libSM.a" AND EXISTS "${archives}/libICE.a")
  set(X11_SM_LIB "${archives}/libSM.a" CACHE FILEPATH "")
  set(X11_ICE_LIB "${archives}/libICE.a" CACHE FILEPATH "")
endif()
# Archives are searched in link order: what those above use, which Qt's link line names before
# them (libxcb-image uses libxcb-util) or not at all (libSM uses libuuid, libICE libbsd, libbsd
# libmd), comes once more at the end of every link line.
set(trailing "")
foreach(name IN ITEMS xcb-util uuid bsd md)
  if(EXISTS "${archives}/lib${name}.a")
    list(APPEND trailing "${archives}/lib${name}.a")
  endif()
endforeach()
list(JOIN trailing " " trailing)
set(CMAKE_CXX_STANDARD_LIBRARIES "${trailing}" CACHE STRING "")
if(EXISTS "${archives}/liblzma.a")
  set(LIBLZMA_LIBRARY_RELEASE "${archives}/liblzma.a" CACHE FILEPATH "")
endif()
