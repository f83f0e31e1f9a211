# The command line installed the way a Linux system expects it, and its
# Debian package (cpack -G DEB; scripts/package-linux.sh makes the release).
# Included by the top CMakeLists.txt for native Linux builds. Under the
# prefix (/usr in the package):
#
#   bin/transvardelzarp
#   share/man/man1/transvardelzarp.1.gz                Spanish, made from --help
#   share/bash-completion/completions/transvardelzarp
#   share/doc/transvardelzarp/   LEEME, README.md, copyright, changelog.gz
#
# tests/install checks the installed tree; the package script checks the
# package's tree with the same script.
include(GNUInstallDirs)

set(TVZ_LINUX_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TVZ_LINUX_OUT ${CMAKE_BINARY_DIR}/linux)
set(TVZ_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/transvardelzarp)
set(TVZ_DEB_MAINTAINER "transVardelZarp <transvardelzarp@example.org>"
    CACHE STRING "The Debian package's maintainer: Name <address>")
find_program(TVZ_GZIP gzip REQUIRED)

install(TARGETS transvardelzarp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TVZ_LINUX_DIR}/transvardelzarp.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME transvardelzarp)

# The manual page, from the program's --help and --version (help2man) and the
# hand-written sections of transvardelzarp.h2m, so that it cannot drift from
# the help. Always built, so that the tests always see it; the builds that
# are never installed (sanitizers, fuzzing, benchmarks) leave it out.
option(TVZ_MAN_PAGE "Make the manual page (needs Debian's help2man and locales)" ON)
if(TVZ_MAN_PAGE)
  find_program(TVZ_HELP2MAN help2man)
  find_program(TVZ_LOCALEDEF localedef)
  if(NOT TVZ_HELP2MAN OR NOT TVZ_LOCALEDEF OR NOT EXISTS /usr/share/i18n/locales/es_ES)
    message(FATAL_ERROR
      "help2man, localedef or the es_ES locale source is missing: "
      "`bash scripts/setup.sh native` installs Debian's help2man and locales; "
      "or configure with -DTVZ_MAN_PAGE=OFF (no manual page).")
  endif()
  set(TVZ_MAN_PAGE_FILE ${TVZ_LINUX_OUT}/man/transvardelzarp.1.gz)
  add_custom_command(
    OUTPUT ${TVZ_MAN_PAGE_FILE}
    COMMAND bash ${TVZ_LINUX_DIR}/man-page.sh $<TARGET_FILE:transvardelzarp>
            ${TVZ_LINUX_DIR}/transvardelzarp.h2m ${TVZ_LINUX_OUT}/man
    DEPENDS transvardelzarp ${TVZ_LINUX_DIR}/man-page.sh ${TVZ_LINUX_DIR}/transvardelzarp.h2m
    COMMENT "Manual page transvardelzarp.1 (help2man)"
    VERBATIM)
  add_custom_target(tvz_man_page ALL DEPENDS ${TVZ_MAN_PAGE_FILE})
  install(FILES ${TVZ_MAN_PAGE_FILE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The documents. The changelog (Debian's format, which a native package keeps
# as changelog.gz) has one entry, this version's, dated now or at
# SOURCE_DATE_EPOCH.
string(TIMESTAMP TVZ_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${TVZ_LINUX_DIR}/changelog.in ${TVZ_LINUX_OUT}/doc/changelog @ONLY)
add_custom_command(
  OUTPUT ${TVZ_LINUX_OUT}/doc/changelog.gz
  COMMAND ${TVZ_GZIP} -9nkf ${TVZ_LINUX_OUT}/doc/changelog
  DEPENDS ${TVZ_LINUX_OUT}/doc/changelog
  VERBATIM)
add_custom_target(tvz_changelog ALL DEPENDS ${TVZ_LINUX_OUT}/doc/changelog.gz)
install(FILES ${TVZ_LINUX_DIR}/LEEME ${PROJECT_SOURCE_DIR}/README.md ${TVZ_LINUX_DIR}/copyright
              ${TVZ_LINUX_OUT}/doc/changelog.gz
        DESTINATION ${TVZ_DOC_DIR})

# The Debian package: transvardelzarp_VERSION_ARCH.deb, its dependencies
# from the binary's libraries (dpkg-shlibdeps), no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME transvardelzarp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TVZ_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
# (No ASCII double quotes or backslashes: CPack does not carry them over.)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[move school data between ZARP and the Vardelin timetabler
Command line for schools that keep their data in the school-management
system ZARP (fixed-column text files) and make their timetable with
Vardelin under Wine (dBase tables in its working folder, inside the Wine
prefix). Its commands: exportar rebuilds Vardelin's six tables from the ZARP
files, importar turns the computed timetable into ZARP_HORARIO.TXT,
comprobar checks the ZARP files and writes nothing, and restaurar puts back
the tables an export replaced. Its messages and manual page are in Spanish.

Línea de órdenes para los centros que tienen sus datos en el programa de
gestión ZARP (ficheros de texto de columnas fijas) y hacen el horario con
Vardelin en Wine (tablas dBase en su carpeta de trabajo, dentro del prefijo
de Wine): «exportar» crea las seis tablas de Vardelin con los ficheros de
ZARP, «importar» convierte el horario calculado en ZARP_HORARIO.TXT,
«comprobar» revisa los ficheros de ZARP sin escribir nada y «restaurar»
vuelve a poner las tablas que sustituyó una exportación.]=])
include(CPack)
