# corvelle_export_folder(target folder): the target's users include its headers as
# "<folder>/Header.h" and see no other folder of the source tree, so a library
# can include only what it links. Each target gets an include root of its own
# in the build tree that holds a link to the folder alone.
function(corvelle_export_folder target folder)
    set(root "${CMAKE_BINARY_DIR}/include/${target}")
    get_filename_component(parent "${root}/${folder}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(NOT EXISTS "${root}/${folder}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "${root}")
endfunction()
