# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# The Debian package, made by CPack from the install rules. Only a packaged build
# (-DMIAOYU_PACKAGED=ON) makes one: any other build would write Data.ait beside a binary run
# as root from /usr/bin. tools/build-deb.sh configures, builds and packages in one go.

set(MIAOYU_MAINTAINER "The 妙语通 developers <miaoyutong@example.org>" CACHE STRING
    "Maintainer of the Debian package: a name and an address")

if(NOT MIAOYU_PACKAGED)
    return()
endif()

find_program(GZIP gzip REQUIRED)

# Debian wants the licence and the history of every package beside its other documents.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${docdir})
add_custom_command(OUTPUT changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog changelog
    COMMAND ${GZIP} -9nf changelog
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MIAOYU_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MIAOYU_SOURCE_URL}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from what the binary links (dpkg-shlibdeps). Qt opens no window without
# its platform plugins, which libqt6gui6 only recommends, and the window's texts need a
# Chinese font; speech and Qt's own Chinese button texts are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chat robot that you can teach to talk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Miaoyutong (妙语通) is a desktop chat robot for Chinese speakers. Its robot,
Amu, answers typed messages from a plain-text knowledge file, reads its
answers aloud through speech-dispatcher, works out sums, and speaks up when
the user has been quiet for a while.

In teaching mode the user edits the table of keywords and replies and saves
it. Everything stays in one file, Data.ait, in the user's data folder; the
program needs no network.")

# CPack strips the binary with plain strip, which leaves the compilers' notes (.comment) that
# Debian's own packaging tools take out.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/miaoyutong\"
    COMMAND_ERROR_IS_FATAL ANY)")

include(CPack)
