# Installation and the Debian package. The installed tree has the shape of the build tree:
#   bin/vireo-host
#   lib/libvireo_platform.so, lib/libvireo_ui.so, the host's libraries (and the window backend and the
#   host's window module)
#   drivers/Vireo_EX/Vireo_EX.so, drivers/Vireo_EX/Vireo_EX_lang.so
#   drivers/DataType.xml (written by the driver when a user data type is first saved)
#   share/locale/zh_CN/LC_MESSAGES/vireo-host.mo (the window program's Chinese texts)
#   share/man/man1/vireo-host.1, share/bash-completion/completions/vireo-host, share/doc/vireo-ex/
include(GNUInstallDirs)

install(TARGETS vireo-host RUNTIME DESTINATION bin)
install(TARGETS vireo_platform vireo_ui vireo_host vireo_user_input vireo_scripted_user LIBRARY DESTINATION lib)
set_target_properties(vireo_platform vireo_ui PROPERTIES INSTALL_RPATH "$ORIGIN")
foreach(optional vireo_ui_wx vireo_host_gui)
  if(TARGET ${optional})
    install(TARGETS ${optional} LIBRARY DESTINATION lib)
  endif()
endforeach()
install(TARGETS Vireo_EX Vireo_EX_lang LIBRARY DESTINATION drivers/Vireo_EX)
if(TARGET vireo_host_catalog)
  install(FILES ${CMAKE_BINARY_DIR}/share/locale/zh_CN/LC_MESSAGES/vireo-host.mo DESTINATION share/locale/zh_CN/LC_MESSAGES)
endif()

# The manual page, from its source document (scdoc).
find_program(SCDOC scdoc REQUIRED)
set(VIREO_MAN_PAGE ${CMAKE_BINARY_DIR}/share/man/man1/vireo-host.1)
add_custom_command(OUTPUT ${VIREO_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share/man/man1
  COMMAND ${SCDOC} < ${PROJECT_SOURCE_DIR}/docs/vireo-host.1.scd > ${VIREO_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/vireo-host.1.scd
  COMMENT "Writing the manual page of vireo-host")
add_custom_target(vireo-host-man ALL DEPENDS ${VIREO_MAN_PAGE})
install(FILES ${VIREO_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/vireo-host.bash DESTINATION share/bash-completion/completions RENAME vireo-host)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples PATTERN demo.sh EXCLUDE)

# The Debian package installs under /opt/vireo and links vireo-host and its manual page into /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vireo-ex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vireo_EX developers <vireo-ex@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration driver for Siemens S7-1200 PLCs, with a reference host")
set(CPACK_PACKAGE_DESCRIPTION "The configuration-time driver Vireo_EX keeps each PLC's properties and channel table \
and imports the tags of TIA Portal exports (tag tables, data blocks, data types) as channels. vireo-host is its \
reference host, with a command line and windows.")
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/vireo)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts (stock buttons) in the user's language, for the windows.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wx3.2-i18n")
# Our own shared objects are found beside each other, not in the system's folders.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${VIREO_LIB_DIR})
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/prerm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
