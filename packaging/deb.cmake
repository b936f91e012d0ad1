# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# The Debian package, made by CPack from the install rules. Only a packaged build
# (-DMIAOYU_PACKAGED=ON) makes one: any other build would write Data.ait beside a binary run
# as root from /usr/bin. tools/build-deb.sh configures, builds and packages in one go.

# The addresses and the maintainer are set in the top CMakeLists.txt.

if(NOT MIAOYU_PACKAGED)
    return()
endif()

if(MIAOYU_MAINTAINER STREQUAL MIAOYU_NO_MAINTAINER)
    message(WARNING "The package's maintainer has no address that reaches anyone: set DEBFULLNAME "
        "and DEBEMAIL, or -DMIAOYU_MAINTAINER=\"Name <address>\", before a release")
endif()

find_program(GZIP gzip REQUIRED)

# Debian wants the licence and the history of every package beside its other documents. The
# copyright file names the upstream contact and the source only where they lead somewhere.
set(docdir ${CMAKE_INSTALL_DOCDIR})
set(copyright_upstream "")
if(NOT MIAOYU_MAINTAINER STREQUAL MIAOYU_NO_MAINTAINER)
    string(APPEND copyright_upstream "\nUpstream-Contact: ${MIAOYU_MAINTAINER}")
endif()
if(MIAOYU_SOURCE_URL)
    string(APPEND copyright_upstream "\nSource: ${MIAOYU_SOURCE_URL}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${docdir})
# The history's last line is signed by the maintainer.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in changelog @ONLY)
add_custom_command(OUTPUT changelog.gz
    COMMAND ${GZIP} -9nkf changelog
    DEPENDS ${PROJECT_BINARY_DIR}/changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    VERBATIM)
# Debian compresses documents of the READMEs' size, as its own packaging tools would.
set(docs ${PROJECT_BINARY_DIR}/changelog.gz)
foreach(readme ${MIAOYU_READMES})
    get_filename_component(name ${readme} NAME)
    add_custom_command(OUTPUT ${name}.gz
        COMMAND ${GZIP} -9nc ${readme} > ${name}.gz
        DEPENDS ${readme}
        WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        VERBATIM)
    list(APPEND docs ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(debian_docs ALL DEPENDS ${docs})
install(FILES ${docs} DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MIAOYU_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No homepage set, no Homepage field: CPack leaves an empty one out.
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MIAOYU_HOMEPAGE_URL}")
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
the user has been quiet for a while. miaoyutong-console answers the same way
in a terminal, interactively or one message a line for scripts.

In teaching mode the user edits the table of keywords and replies and saves
it. Everything stays in one file, Data.ait, in the user's data folder; the
program needs no network.")

# CPack strips the binary with plain strip, which leaves the compilers' notes (.comment) that
# Debian's own packaging tools take out.
foreach(program miaoyutong miaoyutong-console)
    install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
        COMMAND_ERROR_IS_FATAL ANY)")
endforeach()

include(CPack)
