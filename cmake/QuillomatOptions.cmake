# One interface target carries the warning and sanitizer options; every target links it.
add_library(quillomat_options INTERFACE)
target_compile_options(quillomat_options INTERFACE -Wall -Wextra)
if(QUILLOMAT_SANITIZE)
  target_compile_options(quillomat_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quillomat_options INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
  # One .exe with nothing beside it, as small as it gets: unused code and data dropped, and
  # symbols stripped outside debug builds.
  target_compile_options(quillomat_options INTERFACE -ffunction-sections -fdata-sections)
  target_link_options(quillomat_options INTERFACE -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
  # With sections on page boundaries in the file, as they are in memory, Wine maps the program
  # file and reads only the pages it touches, as Windows does; otherwise it reads the whole file
  # before the program starts (25 MB: 7 s from a CD). Each page touched away from the last one
  # costs a seek on a CD, though, so this pays only where start-up touches few places: measure
  # with bench/medium before turning it on. Costs less than a page of padding per section.
  option(QUILLOMAT_WINDOWS_PAGED_IMAGE "Align the Windows programs' sections to pages in the file" OFF)
  if(QUILLOMAT_WINDOWS_PAGED_IMAGE)
    target_link_options(quillomat_options INTERFACE -Wl,--file-alignment=4096)
  endif()
  # What each program is made of, for scripts/windows-size-report.sh: build-windows/NAME.map.
  target_link_options(quillomat_options INTERFACE -Wl,-Map=$<TARGET_PROPERTY:NAME>.map)
endif()

option(QUILLOMAT_GUI_TESTS "Build the test suites that show widgets" ${on_linux_only})

# quillomat_add_test(NAME SOURCES ... LIBS ... [GUI])
# One Qt Test executable registered with CTest; GUI tests run on the offscreen platform.
function(quillomat_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_GUI AND NOT QUILLOMAT_GUI_TESTS)
    return()
  endif()
  qt_add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test quillomat_options quillomat_testdata ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# quillomat_windows_resources(TARGET "Description")
# On Windows, gives the program's executable its icon and version information as resources.
function(quillomat_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(QUILLOMAT_RC_NAME ${target})
  set(QUILLOMAT_RC_DESCRIPTION "${description}")
  set(QUILLOMAT_RC_ICON "${PROJECT_SOURCE_DIR}/src/resources/images/quillomat.ico")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/WindowsResources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${QUILLOMAT_RC_ICON})
endfunction()
