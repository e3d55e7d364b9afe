# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Fails on a single include of ours that the table below does not allow, and
# on a widget header included by a non-UI folder (the web remote may use Qt
# Gui's images).
#   -DSRC=<src folder>      the root the includes are written from
#   -DWIDGET_DIRS="dir|dir" include folders of the widget-side Qt modules

# Each folder and the folders it may include besides its own. The non-UI
# layers point only down: base <- store <- schedule, transport <- control <-
# core; the front ends stand on them, the web remote on MQTT's "set" commands
# and the bridge program on both; the simulator is a peer of its own.
set(nonui base store schedule transport control core access backup mqtt web cli bridge simulator)
set(screen_folders views frame enrol help devices scenarios schedules home app)
set(layers ${nonui} ${screen_folders})
set(allowed_base "")
set(allowed_store base)
set(allowed_schedule base store)
set(allowed_transport base)
set(allowed_control base store schedule transport)
set(allowed_core base store schedule transport control)
set(allowed_access base)
set(allowed_backup base store)
set(allowed_mqtt base store schedule transport control core access)
set(allowed_web base store schedule transport control core access backup mqtt)
set(allowed_cli base store schedule transport control core access backup)
set(allowed_bridge base store schedule transport control core access backup mqtt web)
set(allowed_simulator "")
# The screen folders stand on the non-UI layers below the front ends and on
# one another in this order only: no cycle among them.
set(below_screens base store transport control core)
set(allowed_views ${below_screens})
set(allowed_frame ${below_screens} views)
set(allowed_enrol ${below_screens} views frame)
set(allowed_help ${below_screens} views frame)
set(allowed_devices ${below_screens} views frame enrol)
set(allowed_scenarios ${below_screens} views frame enrol devices)
# The schedules list reads the schedules' library, which the other screens need not.
set(allowed_schedules ${below_screens} schedule views frame)
set(allowed_home ${below_screens} views frame enrol help devices scenarios schedules)
set(allowed_app ${below_screens} ${screen_folders})

string(REPLACE "|" ";" widget_dirs "${WIDGET_DIRS}")

# The layer a folder of src belongs to, or empty for one the table does not know.
function(layer_of folder out)
    if(folder IN_LIST layers)
        set(${out} ${folder} PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# The file of ours an include names, however it is written ("x.h" beside the
# file, "../control/x.h", <control/x.h>), relative to src; empty for a header
# not of ours.
function(included_file folder included quoted out)
    set(${out} "" PARENT_SCOPE)
    set(candidates "${SRC}/${included}")
    if(quoted)
        list(PREPEND candidates "${folder}/${included}")
    endif()
    foreach(candidate IN LISTS candidates)
        get_filename_component(resolved "${candidate}" ABSOLUTE)
        if(EXISTS "${resolved}" AND NOT IS_DIRECTORY "${resolved}")
            file(RELATIVE_PATH relative "${SRC}" "${resolved}")
            if(NOT relative MATCHES "^\\.\\./")
                set(${out} "${relative}" PARENT_SCOPE)
            endif()
            return()
        endif()
    endforeach()
endfunction()

file(GLOB_RECURSE files "${SRC}/*.h" "${SRC}/*.cpp")
set(failures "")
set(count 0)
foreach(file IN LISTS files)
    file(RELATIVE_PATH shown "${SRC}" "${file}")
    string(REGEX REPLACE "/.*" "" top "${shown}")
    layer_of("${top}" layer)
    if(NOT layer)
        list(APPEND failures "${shown} is in a folder the layer table does not know")
        continue()
    endif()
    math(EXPR count "${count} + 1")
    get_filename_component(folder "${file}" DIRECTORY)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" included "${line}")
        set(quoted FALSE)
        if(line MATCHES "\"")
            set(quoted TRUE)
        endif()
        included_file("${folder}" "${included}" ${quoted} ours)
        if(ours)
            string(REGEX REPLACE "/.*" "" target "${ours}")
            layer_of("${target}" target_layer)
            if(target_layer AND NOT target_layer STREQUAL layer
               AND NOT target_layer IN_LIST allowed_${layer})
                list(APPEND failures "${shown} (${layer}) includes ${included} (${target_layer})")
            endif()
        endif()
        if(layer IN_LIST nonui)
            set(widget FALSE)
            foreach(dir IN LISTS widget_dirs)
                # The web remote reads photos of printed codes: Qt Gui's images, no widget.
                if(layer STREQUAL "web" AND dir MATCHES "QtGui$")
                    continue()
                endif()
                if(dir AND EXISTS "${dir}/${included}" AND NOT IS_DIRECTORY "${dir}/${included}")
                    set(widget TRUE)
                endif()
            endforeach()
            if(widget OR included MATCHES "^Qt(Widgets|Gui|Svg|Multimedia|MultimediaWidgets)/")
                list(APPEND failures "${shown} (${layer}) includes a widget header: ${included}")
            endif()
        endif()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "includes against the layer table:\n  ${text}")
endif()
message(STATUS "layers: every include of ${count} files keeps to the layer table")
