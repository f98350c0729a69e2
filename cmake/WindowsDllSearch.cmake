# Windows programs load no DLL from their own folder or the current folder.
#
# Every DLL the programs import that Windows does not list as a KnownDLL is delay-loaded:
# for each, an import library of the same name is made here with dlltool's delay-load thunks,
# from the functions the mingw-w64 import library of that name exports. Its folder comes first
# on the programs' link line, so that "-lversion" (as Qt's libraries name their dependencies)
# finds it before mingw-w64's own. The program's first act (SystemDllSearchWindows.cpp) then
# confines LoadLibrary to System32 before the first call into any of these DLLs loads it.
#
# Only functions can be delay-loaded: a DLL whose data a program imports would fail to link
# here, naming the symbol.

# KnownDLLs, which Windows always maps from System32, stay ordinary imports: advapi32, comdlg32,
# gdi32, imm32, kernel32, msvcrt, ole32, oleaut32, shcore, shell32, shlwapi, user32, ws2_32.
# API sets (api-ms-win-*) are resolved by the loader itself and never searched for.
set(QUILLOMAT_DELAY_LOADED_DLLS
  AUTHZ.dll d3d9.dll d3d11.dll dwmapi.dll DWrite.dll dxgi.dll MPR.dll NETAPI32.dll USERENV.dll
  UxTheme.dll VERSION.dll WINMM.dll WINSPOOL.DRV WTSAPI32.dll)
set(QUILLOMAT_DELAY_IMPORT_DIR ${CMAKE_BINARY_DIR}/delay-import)

function(quillomat_make_delay_import_libraries)
  find_program(QUILLOMAT_NM NAMES ${MINGW_PREFIX}-nm x86_64-w64-mingw32-nm REQUIRED)
  find_program(QUILLOMAT_DLLTOOL NAMES ${MINGW_PREFIX}-dlltool x86_64-w64-mingw32-dlltool
    REQUIRED)
  file(MAKE_DIRECTORY ${QUILLOMAT_DELAY_IMPORT_DIR})
  foreach(dll IN LISTS QUILLOMAT_DELAY_LOADED_DLLS)
    string(REGEX REPLACE "\\.[^.]*$" "" name ${dll})
    string(TOLOWER ${name} name)
    find_library(import_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
    execute_process(COMMAND ${QUILLOMAT_NM} -g --defined-only ${import_${name}}
      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # The code thunks ("T Name") are the functions; data has only its __imp_ pointer.
    string(REGEX MATCHALL " T [^\n]+" functions "${symbols}")
    list(TRANSFORM functions REPLACE "^ T " "")
    list(SORT functions)
    list(JOIN functions "\n" exports)
    set(def ${QUILLOMAT_DELAY_IMPORT_DIR}/${name}.def)
    set(lib ${QUILLOMAT_DELAY_IMPORT_DIR}/lib${name}.a)
    file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    if(NOT EXISTS ${lib} OR ${def} IS_NEWER_THAN ${lib})
      execute_process(COMMAND ${QUILLOMAT_DLLTOOL} --input-def ${def} --dllname ${dll}
        --output-delaylib ${lib} COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
endfunction()

# quillomat_load_dlls_from_system(TARGET): the program restricts its DLL search to System32
# first thing and delay-loads every DLL that Windows would otherwise look for beside it.
function(quillomat_load_dlls_from_system target)
  if(NOT WIN32)
    return()
  endif()
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/platform/SystemDllSearchWindows.cpp)
  target_link_directories(${target} BEFORE PRIVATE ${QUILLOMAT_DELAY_IMPORT_DIR})
endfunction()

if(WIN32)
  quillomat_make_delay_import_libraries()
endif()
