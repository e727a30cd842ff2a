# Included from tests/CMakeLists.txt. Each block is one test program; paths are relative to tests/.
foreach(block core chart database ui office_window tools)
  include(${CMAKE_CURRENT_LIST_DIR}/${block}/tests.cmake OPTIONAL)
endforeach()
