# The Windows setup program, SlanterSetup.exe, made with NSIS from installer/Slanter.nsi:
# the desktop program when this build makes one, slanter-cli.exe and the help files.
# Included by the Windows build only, after every program target is defined.
find_program(SLANTER_MAKENSIS makensis NO_CMAKE_FIND_ROOT_PATH)
if(NOT SLANTER_MAKENSIS)
    message(STATUS "makensis not found: no Windows setup program (Debian package nsis)")
    return()
endif()

# The version the program tells, read from its identity.
file(READ ${CMAKE_SOURCE_DIR}/shell/ProgramIdentity.h slanter_identity)
set(slanter_version "")
foreach(part kMajorVersion kMinorVersion kRevision)
    string(REGEX MATCH "${part} = ([0-9]+)" found "${slanter_identity}")
    list(APPEND slanter_version ${CMAKE_MATCH_1})
endforeach()
list(JOIN slanter_version "." slanter_version)

set(slanter_setup ${CMAKE_BINARY_DIR}/installer/SlanterSetup.exe)
set(slanter_setup_words
    -V2 -INPUTCHARSET UTF8 -DOUTPUT=${slanter_setup} -DVERSION=${slanter_version} -DCLI=$<TARGET_FILE:slanter-cli>
    -DHELP_DIR=${CMAKE_SOURCE_DIR}/shell/help)
set(slanter_setup_inputs slanter-cli ${CMAKE_SOURCE_DIR}/installer/Slanter.nsi
    ${CMAKE_SOURCE_DIR}/shell/help/Slanter.html ${CMAKE_SOURCE_DIR}/shell/help/SlanterE.html)
if(TARGET Slanter)
    list(APPEND slanter_setup_words -DDESKTOP=$<TARGET_FILE:Slanter>)
    list(APPEND slanter_setup_inputs Slanter)
endif()
add_custom_command(
    OUTPUT ${slanter_setup}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
    COMMAND ${SLANTER_MAKENSIS} ${slanter_setup_words} ${CMAKE_SOURCE_DIR}/installer/Slanter.nsi
    DEPENDS ${slanter_setup_inputs}
    COMMENT "Making the Windows setup program"
    VERBATIM)
add_custom_target(installer ALL DEPENDS ${slanter_setup})
