# The stand-in sibling libraries: their call log and their entries. Paths are relative to tests/.
tarvel_add_test_program(siblings
  SOURCES
    siblings/call_log_test.cpp
    siblings/sibling_libraries_test.cpp
  LIBRARIES tarvel_sibling_call_log)
# The sibling tests open the built libraries.
add_dependencies(tarvel_siblings_tests tarvel_siblings)
