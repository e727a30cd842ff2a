# Logic apart from widgets, as a fact of the build: every library of ours links no Qt Widgets,
# directly or through what it links, unless its name ends in "_ui". tarvel_test_support, which
# drives real windows, is the one other exception. A library that breaks the rule stops the
# configuration with the chain of links that brought the widgets in. Nor does such a library
# include a widget header (<QtWidgets/...>, <QWidget>, <QDialog>, ...) in its sources or in the
# headers of their folders, which a header-only use would not show in its links: before the
# library compiles, a scan of those files (this file run as a script, see the end) stops the build
# and names each such include.

# Appends to out_var the link items of target: what it links itself and what it passes on.
function(_tarvel_link_items target out_var)
  set(items)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(own ${target} LINK_LIBRARIES)
    if(own)
      list(APPEND items ${own})
    endif()
  endif()
  get_target_property(passed_on ${target} INTERFACE_LINK_LIBRARIES)
  if(passed_on)
    list(APPEND items ${passed_on})
  endif()
  # Generator expressions that only mark a dependency ($<LINK_ONLY:x>) name a target all the
  # same; other expressions name none this walk can follow.
  set(result)
  foreach(item IN LISTS items)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    if(item MATCHES "^[^$]" AND TARGET ${item})
      list(APPEND result ${item})
    endif()
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# Stops with FATAL_ERROR when target reaches Qt6::Widgets through its links.
function(tarvel_require_no_widgets target)
  set(queue ${target})
  set(seen ${target})
  set(path_${target} ${target})
  while(queue)
    list(POP_FRONT queue current)
    _tarvel_link_items(${current} linked)
    foreach(next IN LISTS linked)
      get_target_property(aliased ${next} ALIASED_TARGET)
      if(aliased)
        set(next ${aliased})
      endif()
      if(next IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${next})
      set(path_${next} "${path_${current}} -> ${next}")
      if(next STREQUAL "Qt6::Widgets")
        message(FATAL_ERROR
          "${target} is a core library and must not link Qt Widgets: ${path_${next}}")
      endif()
      list(APPEND queue ${next})
    endforeach()
  endwhile()
endfunction()

# The libraries of every folder below dir.
function(_tarvel_libraries_below dir out_var)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _tarvel_libraries_below(${subdirectory} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out_var} ${targets} PARENT_SCOPE)
endfunction()

# The folder of Qt's widget headers (QWidget, qwidget.h, ...).
function(_tarvel_widget_header_folder out_var)
  get_target_property(folders Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
  list(FILTER folders INCLUDE REGEX "/QtWidgets$")
  list(GET folders 0 folder)
  set(${out_var} ${folder} PARENT_SCOPE)
endfunction()

# Appends to out_var "file: <header>" for each include of a widget header in files. A header of
# the widget folder that Qt Gui also holds (qaction.h, qshortcut.h, ...) is Qt Gui's.
function(tarvel_widget_includes files widget_folder out_var)
  set(found)
  get_filename_component(gui_folder "${widget_folder}/../QtGui" ABSOLUTE)
  set(include_line "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "${include_line}")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "${include_line}" ignored "${line}")
      set(header "${CMAKE_MATCH_1}")
      if(header MATCHES "^QtWidgets(/|$)"
         OR (NOT header MATCHES "/" AND EXISTS "${widget_folder}/${header}"
             AND NOT EXISTS "${gui_folder}/${header}"))
        list(APPEND found "${file}: <${header}>")
      endif()
    endforeach()
  endforeach()
  set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# Before target compiles, scans its sources and the headers of their folders for widget headers.
function(tarvel_require_no_widget_includes target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(files)
  set(folders)
  foreach(source IN LISTS sources)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${source_dir}")
    if(source MATCHES "\\.(cpp|h)$" AND EXISTS "${source}")
      list(APPEND files "${source}")
      get_filename_component(folder "${source}" DIRECTORY)
      list(APPEND folders "${folder}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    file(GLOB headers CONFIGURE_DEPENDS "${folder}/*.h")
    list(APPEND files ${headers})
  endforeach()
  if(NOT files)
    return()
  endif()
  list(REMOVE_DUPLICATES files)
  _tarvel_widget_header_folder(widget_folder)
  string(REPLACE ";" "|" file_list "${files}")
  set(stamp "${CMAKE_BINARY_DIR}/widget_free/${target}.stamp")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DTARVEL_SCAN_TARGET=${target} "-DTARVEL_SCAN_FILES=${file_list}"
            "-DTARVEL_WIDGET_FOLDER=${widget_folder}" -P "${_tarvel_widget_free_core_file}"
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS ${files} "${_tarvel_widget_free_core_file}"
    COMMENT "Looking for widget headers in ${target}"
    VERBATIM)
  add_custom_target(${target}_widget_free DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_widget_free)
endfunction()

# Checks every static or interface library named tarvel_* that is not a UI library.
function(tarvel_check_core_libraries)
  _tarvel_libraries_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC|OBJECT|INTERFACE)_LIBRARY$")
      continue()
    endif()
    if(NOT target MATCHES "^tarvel_" OR target MATCHES "_ui$"
       OR target STREQUAL "tarvel_test_support")
      continue()
    endif()
    tarvel_require_no_widgets(${target})
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      tarvel_require_no_widget_includes(${target})
    endif()
  endforeach()
  # The scan refuses widget headers in a core library's files, and only those.
  _tarvel_widget_header_folder(widget_folder)
  set(samples "${CMAKE_SOURCE_DIR}/tests/widget_free_core")
  add_test(NAME WidgetFreeCore.WidgetHeadersInACoreLibraryStopTheBuild
    COMMAND ${CMAKE_COMMAND} -DTARVEL_SCAN_TARGET=tarvel_sample_core
            "-DTARVEL_SCAN_FILES=${samples}/sample_core.h|${samples}/sample_core.cpp"
            "-DTARVEL_WIDGET_FOLDER=${widget_folder}" -P "${_tarvel_widget_free_core_file}")
  set_tests_properties(WidgetFreeCore.WidgetHeadersInACoreLibraryStopTheBuild PROPERTIES
    PASS_REGULAR_EXPRESSION
      "tarvel_sample_core .*sample_core.h: <QDialog>.*sample_core.cpp: <QtWidgets/QLabel>.*sample_core.cpp: <qwidget.h>"
    FAIL_REGULAR_EXPRESSION "<QObject>|<QtGui/QColor>|<qaction.h>|<QtWidgetsSample>")
endfunction()

# Run as a script (cmake -P) by the build before a core library compiles: TARVEL_SCAN_FILES, the
# files separated by "|", must include no header of TARVEL_WIDGET_FOLDER.
if(CMAKE_SCRIPT_MODE_FILE)
  string(REPLACE "|" ";" files "${TARVEL_SCAN_FILES}")
  tarvel_widget_includes("${files}" "${TARVEL_WIDGET_FOLDER}" found)
  if(found)
    list(JOIN found "\n  " lines)
    message(FATAL_ERROR "${TARVEL_SCAN_TARGET} is a core library and must not include widget "
                        "headers:\n  ${lines}")
  endif()
else()
  set(_tarvel_widget_free_core_file "${CMAKE_CURRENT_LIST_FILE}")
endif()
