# The Debian package: `make deb` runs cpack over the build folder the tests
# ran in, so the package holds the programs that were tested.

# One place for the package's version: the top entry of the changelog,
# "planek (0.1-1) ...", whose upstream part must be the project's.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog planek_changelog_top LIMIT_COUNT 1)
if(NOT planek_changelog_top MATCHES "^planek \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog does not start with \"planek (VERSION-REVISION)\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}")
endif()
set(planek_deb_revision ${CMAKE_MATCH_2})

# Manual pages and the changelog go in compressed, without a name or time
# in the gzip header, so the same sources give the same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(planek_gzipped)
foreach(src docs/planek.1 docs/planek-cli.1 packaging/changelog)
  get_filename_component(name ${src} NAME)
  set(dst ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${dst}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/${src} > ${dst}
    DEPENDS ${CMAKE_SOURCE_DIR}/${src} VERBATIM)
  list(APPEND planek_gzipped ${dst})
endforeach()
add_custom_target(planek_packaging_files ALL DEPENDS ${planek_gzipped})

install(FILES ${CMAKE_BINARY_DIR}/packaging/planek-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET planek)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/planek.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME changelog.Debian.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/org.example.planek.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides RENAME planek)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME planek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${planek_deb_revision})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Planek developers <maintainers@users.noreply.c-seed-23445680.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monthly duty rosters of hospital-ward staff")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Planek plans the monthly duty roster of a hospital ward: groups with their
shifts and staffing targets, the staff with part time, shift patterns and
leave, and one file per month holding every duty and day off. It keeps each
worker's norm, hours and overtime for the month and the settlement period,
checks the plan against the labour rules, fills a month automatically, and
prints rosters, time sheets and summaries from editable templates.

The package holds the window (planek) and the command line (planek-cli),
which works on the same folders without a display.")
# The dependencies come from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the one who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
