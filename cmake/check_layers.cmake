# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Fails on a single include of ours that the table below does not allow, and
# on a widget header included by a non-UI folder (the bridge may use Qt Gui's
# images).
#   -DSRC=<src folder>      the root the includes are written from
#   -DWIDGET_DIRS="dir|dir" include folders of the widget-side Qt modules

# Each folder and the folders it may include besides its own. The non-UI
# layers point only down: base <- store, transport <- control <- core; the
# front ends stand on them; the simulator is a peer of its own.
set(layers base store transport control core web backup cli bridge simulator screens)
set(allowed_base "")
set(allowed_store base)
set(allowed_transport base)
set(allowed_control base store transport)
set(allowed_core base store transport control)
set(allowed_web base)
set(allowed_backup base store)
set(allowed_cli base store transport control core web backup)
set(allowed_bridge base store transport control core web)
set(allowed_simulator "")
set(allowed_screens base store transport control core screens)
set(screen_folders app devices enrol help home scenarios views)
set(nonui base store transport control core web backup cli bridge simulator)

string(REPLACE "|" ";" widget_dirs "${WIDGET_DIRS}")

# The layer a folder of src belongs to, or empty for one the table does not know.
function(layer_of folder out)
    if(folder IN_LIST screen_folders)
        set(${out} screens PARENT_SCOPE)
    elseif(folder IN_LIST layers)
        set(${out} ${folder} PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
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
        if(line MATCHES "\"" AND NOT EXISTS "${folder}/${included}")
            string(REGEX REPLACE "/.*" "" target "${included}")
            layer_of("${target}" target_layer)
            if(target_layer AND NOT target_layer STREQUAL layer
               AND NOT target_layer IN_LIST allowed_${layer})
                list(APPEND failures "${shown} (${layer}) includes ${included} (${target_layer})")
            endif()
        endif()
        if(layer IN_LIST nonui)
            set(widget FALSE)
            foreach(dir IN LISTS widget_dirs)
                # The bridge reads photos of printed codes: Qt Gui's images, no widget.
                if(layer STREQUAL "bridge" AND dir MATCHES "QtGui$")
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
