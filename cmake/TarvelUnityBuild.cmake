# Fewer, larger compile units. Parsing the Qt headers is most of the build's time, so each target
# compiles as one unit that includes all its sources (a unity build), and the code moc generates
# for a target joins that unit instead of parsing the same headers once more on its own.
# -DCMAKE_UNITY_BUILD=OFF builds source by source, which rebuilds quicker after a one-file change.
# In a unity build the sources of a target share one scope: helpers in anonymous namespaces need
# names that differ from those of the target's other files.
set(CMAKE_UNITY_BUILD ON CACHE BOOL "Compile each target's sources as one unit")
set(CMAKE_UNITY_BUILD_BATCH_SIZE 0 CACHE STRING "Sources per unit (0: all of a target's)")
# moc only reads our headers, and no target generates a header another target includes, so the
# moc step of a target need not wait until the targets it links are built.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

# The directories below dir, dir included.
function(_tarvel_directories_below dir out_var)
  set(result ${dir})
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _tarvel_directories_below(${subdirectory} below)
    list(APPEND result ${below})
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# For every target of the project built as a unity with AUTOMOC: the file of moc's output that
# AUTOMOC compiles on its own (mocs_compilation.cpp) is included at the end of the target's unit
# instead. Called once all targets are defined.
function(tarvel_include_moc_output_in_units)
  if(NOT CMAKE_UNITY_BUILD)
    return()
  endif()
  _tarvel_directories_below(${CMAKE_SOURCE_DIR} directories)
  foreach(directory IN LISTS directories)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        continue()
      endif()
      get_target_property(automoc ${target} AUTOMOC)
      get_target_property(unity ${target} UNITY_BUILD)
      if(NOT automoc OR NOT unity)
        continue()
      endif()
      get_target_property(autogen_folder ${target} AUTOGEN_BUILD_DIR)
      if(NOT autogen_folder)
        get_target_property(binary_dir ${target} BINARY_DIR)
        set(autogen_folder ${binary_dir}/${target}_autogen)
      endif()
      set(moc_output ${autogen_folder}/mocs_compilation.cpp)
      set(unit_part ${CMAKE_BINARY_DIR}/unity_moc/${target}.cpp)
      file(CONFIGURE OUTPUT ${unit_part}
           CONTENT "// moc's output for ${target}, compiled in the target's unity unit.\n#include \"${moc_output}\"\n")
      set_source_files_properties(${moc_output} TARGET_DIRECTORY ${target}
                                  PROPERTIES HEADER_FILE_ONLY ON)
      target_sources(${target} PRIVATE ${unit_part})
    endforeach()
  endforeach()
endfunction()
