# Where the programs live. Both programs stand in one program folder beside its
# "Program Data" folder: the wizard writes its files there, and the host resolves
# "*\" to it. In the build tree that folder is build/bin/; installed, it is
# CORVELLE_INSTALL_PROGRAMDIR under the prefix, with links to the programs in bin/
# (a program started through a link still finds its own folder: Qt reads the
# executable's real path).
set(CORVELLE_BIN_DIR "${CMAKE_BINARY_DIR}/bin")
set(CORVELLE_DATA_DIR "${CORVELLE_BIN_DIR}/Program Data")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CORVELLE_BIN_DIR}")
file(MAKE_DIRECTORY "${CORVELLE_DATA_DIR}")

set(CORVELLE_INSTALL_PROGRAMDIR "lib/corvelle" CACHE STRING
    "Program folder of the installed programs, relative to the prefix")
set(CORVELLE_INSTALL_DATADIR "${CORVELLE_INSTALL_PROGRAMDIR}/Program Data")

# Under /usr (the Debian package, or a system install) no user may write into the
# program folder, so the installation carries the marker that makes each user's own
# $XDG_DATA_HOME/corvelle the programs' folder (core/ProgramFolder.h). In build/bin and
# under any other prefix the programs keep the folder they stand in.
set(CORVELLE_PER_USER_FOLDER AUTO CACHE STRING
    "Installed programs keep their files in each user's data folder: AUTO (under the /usr prefix), ON or OFF")
install(CODE "
    set(per_user \"${CORVELLE_PER_USER_FOLDER}\")
    if(per_user STREQUAL \"AUTO\")
        set(per_user OFF)
        if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
            set(per_user ON)
        endif()
    endif()
    if(per_user)
        file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CORVELLE_INSTALL_PROGRAMDIR}/per-user-folder\"
             \"Each user's program folder is \\$XDG_DATA_HOME/corvelle (~/.local/share/corvelle).\\n\")
    endif()
")

# corvelle_install_program(target): installs the program into the program folder
# and a relative link to it into bin/.
function(corvelle_install_program target)
    install(TARGETS ${target} RUNTIME DESTINATION "${CORVELLE_INSTALL_PROGRAMDIR}")
    set(program "$<TARGET_FILE_NAME:${target}>")
    file(RELATIVE_PATH to_program "/${CMAKE_INSTALL_BINDIR}" "/${CORVELLE_INSTALL_PROGRAMDIR}")
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bin}\")
        message(STATUS \"Installing: \${bin}/${program} -> ${to_program}/${program}\")
        file(CREATE_LINK \"${to_program}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
    ")
endfunction()

# corvelle_program_data(source name): a file of "Program Data", copied into the build
# tree's folder at configure time and installed into the installed one. The name
# may hold a subfolder ("2D Sheds/Shed_101.KQ").
function(corvelle_program_data source name)
    configure_file("${source}" "${CORVELLE_DATA_DIR}/${name}" COPYONLY)
    get_filename_component(folder "${name}" DIRECTORY)
    get_filename_component(file "${name}" NAME)
    install(FILES "${source}" DESTINATION "${CORVELLE_INSTALL_DATADIR}/${folder}" RENAME "${file}")
endfunction()
