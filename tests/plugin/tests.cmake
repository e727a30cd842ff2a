# The plug-in as the host meets it: Load and UnLoad, the host's menu, the exchange log, the
# module's exports and the office's polling. Paths are relative to tests/.
tarvel_add_test_program(plugin
  SOURCES
    plugin/exchange_log_test.cpp
    plugin/host_menu_test.cpp
    plugin/lifecycle_test.cpp
    plugin/module_exports_test.cpp
    plugin/office_auto_query_test.cpp
  LIBRARIES tarvel_plugin_ui)
# Tests that load the stand-in siblings (and the built plug-in) need them beside the programs.
add_dependencies(tarvel_plugin_tests tarvel_siblings tarvel)

# The plug-in's dynamic symbol table holds its four exports and nothing else of ours.
add_test(NAME PluginModule.DynamicSymbolsAreTheFourExports
  COMMAND sh -c "symbols=$(nm -D --defined-only \"$1\" | awk '{print $3}' | grep -v '^_' | sort | tr '\\n' ' '); echo \"$symbols\"; test \"$symbols\" = 'AddMenus Load UnLoad getAutoSend '" sh $<TARGET_FILE:tarvel>)
