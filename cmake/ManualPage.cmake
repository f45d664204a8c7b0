# slanter_manual_page(SOURCE): the manual page SOURCE (roff, section from its name: X.1
# is section 1), compressed at build time as Debian's tools compress manual pages, and
# installed under share/man.
include(GNUInstallDirs)
function(slanter_manual_page source)
    get_filename_component(name ${source} NAME)
    string(REGEX MATCH "[0-9]$" section ${name})
    set(compressed ${CMAKE_BINARY_DIR}/man/${name}.gz)
    add_custom_command(
        OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${source}
                ${CMAKE_BINARY_DIR}/man/${name}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${name}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${source}
        VERBATIM)
    add_custom_target(slanter_manual_${name} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
