# Logic apart from widgets, as a fact of the build: every library of ours links no Qt Widgets,
# directly or through what it links, unless its name ends in "_ui". tarvel_test_support, which
# drives real windows, is the one other exception. A library that breaks the rule stops the
# configuration with the chain of links that brought the widgets in.

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
  endforeach()
endfunction()
