# What Windows gave (libraries by name, the installation root, profile files, Windows-1251, the
# clock), readable colours and the operator dialogs' helpers. Paths are relative to tests/.
tarvel_add_test_program(platform
  SOURCES
    platform/clock_test.cpp
    platform/cp1251_test.cpp
    platform/error_guard_test.cpp
    platform/form_placement_test.cpp
    platform/install_root_test.cpp
    platform/library_loader_test.cpp
    platform/profile_document_test.cpp
    platform/profile_file_test.cpp
    platform/profile_hostile_test.cpp
    platform/profile_values_test.cpp
    platform/readable_colour_test.cpp
    platform/rounding_test.cpp
    platform/text_test.cpp
    platform/window_showing_test.cpp
  LIBRARIES tarvel_platform_ui)
# Tests that load the stand-in siblings (and the built plug-in) need them beside the programs.
add_dependencies(tarvel_platform_tests tarvel_siblings tarvel)

# A text with a character outside Windows-1251 must stop the build, not become "?" at run time.
add_test(NAME Cp1251Literal.CharacterOutsideTheCodePageIsACompileError
  COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -fsyntax-only -I${CMAKE_SOURCE_DIR}/src
          ${CMAKE_CURRENT_SOURCE_DIR}/platform/compile_errors/cp1251_literal_outside_code_page.cpp)
set_tests_properties(Cp1251Literal.CharacterOutsideTheCodePageIsACompileError PROPERTIES
  PASS_REGULAR_EXPRESSION "characterOutsideWindows1251")
