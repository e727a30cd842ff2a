# Included from tests/CMakeLists.txt. Each block is one test program; paths are relative to tests/.
include(${CMAKE_CURRENT_LIST_DIR}/core/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/chart/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/database/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ui/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/office_window/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/office_server/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/tools/tests.cmake)
