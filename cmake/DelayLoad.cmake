# Delay-loaded system DLLs: a DLL that only some commands need (file dialogs, the shell, COM,
# WIC) is loaded at the first call into it instead of before the program starts. Each
# orv_delayed::<dll> target is a delay-import library made from the toolchain's import library,
# holding every function that DLL exports; link it in place of the plain <dll>.
if(NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "delay-load libraries need the toolchain's nm and dlltool")
endif()

function(orv_delayed_dll dll)
    if(TARGET orv_delayed::${dll})
        return()
    endif()
    find_library(import_lib_${dll} NAMES lib${dll}.a REQUIRED)
    set(folder ${CMAKE_BINARY_DIR}/delayload)
    set(def ${folder}/${dll}.def)
    set(lib ${folder}/lib${dll}_delayed.a)
    file(MAKE_DIRECTORY ${folder})
    # Function exports only: each has a code thunk ("T") in the import library.
    execute_process(COMMAND ${CMAKE_NM} ${import_lib_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[0-9a-f]+ T [A-Za-z_][A-Za-z0-9_@]*" thunks "${symbols}")
    list(TRANSFORM thunks REPLACE "^[0-9a-f]+ T " "")
    list(REMOVE_DUPLICATES thunks)
    list(JOIN thunks "\n" exports)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
                    COMMAND_ERROR_IS_FATAL ANY)
    add_library(orv_delayed::${dll} STATIC IMPORTED GLOBAL)
    set_target_properties(orv_delayed::${dll} PROPERTIES IMPORTED_LOCATION ${lib})
endfunction()

foreach(dll shell32 ole32 comdlg32 windowscodecs)
    orv_delayed_dll(${dll})
endforeach()
