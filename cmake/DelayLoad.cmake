# Windows' own DLLs linked to load on their first use instead of as the process starts.
# At the start the loader looks for a DLL that is not a known system DLL in the exe's own
# folder first (under Wine, user32 itself pulls version.dll in that way), and no search
# order the program sets can come earlier; loaded later, they and what they load come from
# the system folder that the program names first of all (SetDefaultDllDirectories).

# isosceles_delay_load(TARGET DLL...): TARGET takes DLL.dll on first use; DLL is the name of
# its import library (user32 for libuser32.a).
function(isosceles_delay_load target)
    set(folder ${CMAKE_BINARY_DIR}/delay-load)
    file(MAKE_DIRECTORY ${folder})
    foreach(dll IN LISTS ARGN)
        set(library ${folder}/lib${dll}_delay.a)
        if(NOT EXISTS ${library})
            find_library(import_${dll} ${dll} REQUIRED)
            # The import library's functions, as a module definition for dlltool.
            execute_process(COMMAND ${CMAKE_NM} ${import_${dll}} OUTPUT_VARIABLE symbols
                            COMMAND_ERROR_IS_FATAL ANY)
            string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
            list(TRANSFORM imports REPLACE "^I __imp_" "")
            list(REMOVE_DUPLICATES imports)
            list(JOIN imports "\n" exports)
            file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
            execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${dll}.def
                                    --output-delaylib ${library} --dllname ${dll}.dll
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
        # Before the import libraries the toolchain adds, so that these are the ones taken.
        target_link_libraries(${target} PRIVATE ${library})
    endforeach()
    # What their first calls run: our own, which loads from the system folder only.
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/win32/delay_load.cpp)
endfunction()
