# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Installs the build into a staging folder and checks what a desktop gets:
# the programs, a valid desktop entry, valid AppStream metadata naming that
# entry, and the icon the entry names, in the hicolor theme; the manual
# pages, the bridge's service (which systemd accepts) and settings.
#   -DBUILD=<build folder>  -DSTAGE=<empty staging folder>  -DAPP_ID=<id>
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${STAGE}/usr"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "install: cmake --install failed (${installed})")
endif()

set(expected
    usr/bin/ardentia-home
    usr/bin/ardentia-ctl
    usr/bin/ardentia-transmitter
    usr/bin/ardentia-bridge
    usr/share/man/man1/ardentia-home.1.gz
    usr/share/man/man1/ardentia-ctl.1.gz
    usr/share/man/man1/ardentia-transmitter.1.gz
    usr/share/man/man1/ardentia-bridge.1.gz
    usr/share/doc/ardentia-home/copyright
    usr/share/doc/ardentia-home/changelog.gz
    lib/systemd/system/ardentia-bridge.service
    usr/lib/sysusers.d/ardentia-bridge.conf
    etc/ardentia-bridge/bridge.ini
    usr/share/applications/${APP_ID}.desktop
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg)
file(GLOB_RECURSE found RELATIVE "${STAGE}" "${STAGE}/*")
# ardentia-matter comes with the build when its libraries are installed: its
# program, page, service and settings, and its own folder (checked by two of
# its files rather than file by file).
if(EXISTS "${STAGE}/usr/lib/ardentia-matter")
    list(APPEND expected
        usr/bin/ardentia-matter
        usr/share/man/man1/ardentia-matter.1.gz
        lib/systemd/system/ardentia-matter.service
        usr/lib/sysusers.d/ardentia-matter.conf
        etc/ardentia-matter/matter.ini)
    foreach(file src/main.js node_modules/@matter/main/package.json)
        if(NOT EXISTS "${STAGE}/usr/lib/ardentia-matter/${file}")
            message(FATAL_ERROR "install: ardentia-matter without its ${file}")
        endif()
    endforeach()
    list(FILTER found EXCLUDE REGEX "^usr/lib/ardentia-matter/")
endif()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "install: the staged tree is\n  ${found}\nnot\n  ${expected}")
endif()

set(desktop "${STAGE}/usr/share/applications/${APP_ID}.desktop")
execute_process(COMMAND desktop-file-validate "${desktop}"
                RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT valid EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "install: desktop-file-validate: ${said}")
endif()
file(STRINGS "${desktop}" entry)
if(NOT "Icon=${APP_ID}" IN_LIST entry OR NOT "Exec=ardentia-home" IN_LIST entry)
    message(FATAL_ERROR "install: the desktop entry names another icon or program")
endif()

execute_process(COMMAND appstreamcli validate --no-net
                        "${STAGE}/usr/share/metainfo/${APP_ID}.metainfo.xml"
                RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT valid EQUAL 0)
    message(FATAL_ERROR "install: appstreamcli validate: ${said}")
endif()
file(READ "${STAGE}/usr/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
   OR metainfo MATCHES "@PROJECT_VERSION@")
    message(FATAL_ERROR "install: the metadata names another desktop entry or no version")
endif()
find_program(SYSTEMD_ANALYZE systemd-analyze)
if(SYSTEMD_ANALYZE)
    # The unit names its program by its installed path: checked against the stage's.
    file(READ "${STAGE}/lib/systemd/system/ardentia-bridge.service" unit)
    string(REPLACE "/usr/bin/ardentia-bridge" "${STAGE}/usr/bin/ardentia-bridge" unit "${unit}")
    file(WRITE "${STAGE}/../ardentia-bridge.service" "${unit}")
    execute_process(COMMAND ${SYSTEMD_ANALYZE} verify --man=no "${STAGE}/../ardentia-bridge.service"
                    RESULT_VARIABLE verified OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT verified EQUAL 0)
        message(FATAL_ERROR "install: systemd-analyze verify: ${said}")
    endif()
endif()
message(STATUS "install: ${STAGE} holds the programs, a valid desktop entry, metadata and icon")
