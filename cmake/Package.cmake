# The Debian package (cpack -G DEB in the build tree): the installed layout under /usr, the
# programs linked into /usr/bin, the program folder in /usr/lib/dvq3, the manual pages, and the
# copyright file and changelog every Debian package carries.
set(DVQ3_PACKAGE_NAME dvq3-station)
set(DVQ3_PACKAGE_DOC share/doc/${DVQ3_PACKAGE_NAME})

configure_file(${CMAKE_SOURCE_DIR}/data/package/changelog.in
               ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
    COMMAND gzip -9 -n -f -k ${CMAKE_BINARY_DIR}/package/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
    COMMENT "Compressing the package changelog")
add_custom_target(dvq3_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION ${DVQ3_PACKAGE_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${DVQ3_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "DVQ-III station maintainers <maintainers@users.noreply.c-seed-cc3d7d5e.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-first test-administration station for the DVQ-III")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The DVQ-III station registers clients, administers the DVQ-III questionnaire
on screen, by keys from the answer sheet or by scanning it (SANE), scores the
answers and writes, shows and prints each client's confidential report. The
command-line companion dvq3tool prints client records, scores clients, builds
data disks and reads scanned answer sheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Voice prompts, scanning and printing call these programs when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "espeak-ng, sane-utils, cups-client")
include(CPack)
