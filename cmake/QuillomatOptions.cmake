# One interface target carries the warning and sanitizer options; every target links it.
add_library(quillomat_options INTERFACE)
target_compile_options(quillomat_options INTERFACE -Wall -Wextra)
if(QUILLOMAT_SANITIZE)
  target_compile_options(quillomat_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quillomat_options INTERFACE -fsanitize=address,undefined)
endif()

# quillomat_add_test(NAME SOURCES ... LIBS ... [GUI])
# One Qt Test executable registered with CTest; GUI tests run on the offscreen platform.
function(quillomat_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  qt_add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test quillomat_options quillomat_testdata ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
