# Install-time part of the disc kit (included by the kit component's install rule, see
# CMakeLists.txt): copies the plugins, then every library that the programs and plugins need,
# read from their real dependency graph, except those a desktop always has; and gives every ELF
# file a load path into the kit, so that the loader finds the kit's libraries without
# LD_LIBRARY_PATH wherever the medium is mounted. The load path is an old-style RPATH, not a
# RUNPATH: the loader searches an RPATH before LD_LIBRARY_PATH, so that an environment naming
# another Qt 6 (a conda environment, a vendor SDK) cannot slip its libraries in.
#
# Inputs: kit_folder (the program folder under the prefix), kit_executables (their names there),
# kit_qt_plugins (Qt's plugin folder), kit_plugins (paths in it), kit_patchelf (the patchelf
# program).

# Left to the host: libraries every desktop has, and those that must be the host's own because
# they talk to its drivers, servers or configuration. Matched against the needed names (sonames)
# before they are looked up, so that their own dependencies stay the host's too.
set(kit_host_libraries
  # The C library and its loader: the kit runs where their version is at least the one it was
  # built against (the README gives it); they cannot be carried along.
  "^ld-linux" "^libc\\.so" "^libm\\.so" "^libdl\\.so" "^libpthread\\.so" "^librt\\.so"
  # GCC's C++ runtime: every desktop has one, at least as new as a current distribution's.
  "^libstdc\\+\\+\\.so" "^libgcc_s\\.so"
  # The X11 core client libraries: they come with every X server and Xwayland. The xcb
  # extension and utility libraries are carried (not every desktop installs all of them).
  "^libX11\\.so" "^libX11-xcb\\.so" "^libxcb\\.so" "^libXau\\.so" "^libXdmcp\\.so"
  # Keyboard maps: the host's, shared with its display server.
  "^libxkbcommon\\.so"
  # OpenGL and EGL dispatch: must be the host's, to reach its graphics driver.
  "^libGL\\.so" "^libGLX\\.so" "^libEGL\\.so" "^libOpenGL\\.so" "^libGLdispatch\\.so"
  # Fonts: fontconfig reads the host's configuration and cache, with its FreeType, HarfBuzz and
  # libpng (FreeType's PNG glyphs).
  "^libfontconfig\\.so" "^libfreetype\\.so" "^libharfbuzz\\.so" "^libpng16\\.so"
  # GLib: shared with the host's input methods and desktop modules loaded into the process.
  "^libglib-2\\.0\\.so" "^libgobject-2\\.0\\.so" "^libgio-2\\.0\\.so" "^libgthread-2\\.0\\.so"
  # D-Bus: speaks the host's bus protocol (IBus, accessibility).
  "^libdbus-1\\.so"
  # Compression every current distribution's base system uses (zlib, and zstd for systemd and
  # the package managers).
  "^libz\\.so" "^libzstd\\.so")

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${kit_folder}")
if(NOT kit_patchelf)
  message(FATAL_ERROR "The disc kit needs patchelf (apt-get install patchelf).")
endif()

set(executables "")
foreach(name IN LISTS kit_executables)
  list(APPEND executables "${root}/${name}")
endforeach()

# The plugins, each in the folder of its type, where qt.conf's plugin path makes Qt look.
set(plugins "")
foreach(plugin IN LISTS kit_plugins)
  if(NOT EXISTS "${kit_qt_plugins}/${plugin}")
    message(FATAL_ERROR "The disc kit needs Qt's plugin ${kit_qt_plugins}/${plugin}")
  endif()
  get_filename_component(folder "${root}/plugins/${plugin}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${kit_qt_plugins}/${plugin}" "${root}/plugins/${plugin}")
  message(STATUS "Installing: ${root}/plugins/${plugin}")
  list(APPEND plugins "${root}/plugins/${plugin}")
endforeach()

set(modules "")
if(plugins)
  set(modules MODULES ${plugins})
endif()
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${executables}
  ${modules}
  RESOLVED_DEPENDENCIES_VAR resolved
  UNRESOLVED_DEPENDENCIES_VAR unresolved
  CONFLICTING_DEPENDENCIES_PREFIX conflicting
  PRE_EXCLUDE_REGEXES ${kit_host_libraries})
if(unresolved)
  message(FATAL_ERROR "The disc kit's programs need libraries this system does not have: ${unresolved}")
endif()
# One name found in two folders (/lib and /usr/lib on a merged system) is fine when both are the
# same file; two different files would make the kit depend on which one is copied.
foreach(name IN LISTS conflicting_FILENAMES)
  set(first "")
  foreach(path IN LISTS conflicting_${name})
    file(REAL_PATH "${path}" real)
    if(NOT first)
      set(first "${real}")
      list(APPEND resolved "${path}")
    elseif(NOT real STREQUAL first)
      message(FATAL_ERROR "The disc kit would need ${name}, found as different files: ${conflicting_${name}}")
    endif()
  endforeach()
endforeach()

# Each library as a plain file under the name the programs ask for: no symbolic links, which
# some media (FAT file systems) cannot hold.
set(libraries "")
if(resolved)
  file(MAKE_DIRECTORY "${root}/lib")
endif()
foreach(path IN LISTS resolved)
  get_filename_component(name "${path}" NAME)
  file(COPY_FILE "${path}" "${root}/lib/${name}")
  message(STATUS "Installing: ${root}/lib/${name}")
  list(APPEND libraries "${root}/lib/${name}")
endforeach()

function(kit_set_runpath runpath)
  foreach(file IN LISTS ARGN)
    execute_process(COMMAND "${kit_patchelf}" --force-rpath --set-rpath "${runpath}" "${file}"
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "patchelf could not set the load path of ${file}")
    endif()
  endforeach()
endfunction()
# A program without libraries of the kit's (Qt linked in) needs no load path.
if(libraries)
  kit_set_runpath("$ORIGIN/lib" ${executables})
endif()
kit_set_runpath("$ORIGIN" ${libraries})
kit_set_runpath("$ORIGIN/../../lib" ${plugins})
