# Install rules and Debian packages, kept apart from the build itself. Three packages come out of
# one build (scripts/package.sh):
#   tarvel       the plug-in module in a folder of its own, lib/<multiarch>/tarvel/libtarvel.so
#   tarvel-dev   the contract header, tarvel.pc and the CMake package Tarvel for host authors
#   tarvel-demo  the reference host, the five stand-in siblings and a desktop entry
# Everything refers to the targets by name: tarvel (the module), tarvel-host and the siblings'
# targets collected by tarvel_siblings.

include(GNUInstallDirs)
# The plug-in lives in the multiarch library folder on Debian, also under /usr/local (the
# dynamic loader and pkg-config search both there). GNUInstallDirs gives plain "lib" for any
# prefix but /usr, and the packages are made from builds with the default prefix too.
if(CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
  set_property(CACHE CMAKE_INSTALL_LIBDIR PROPERTY VALUE "lib/${CMAKE_LIBRARY_ARCHITECTURE}")
  include(GNUInstallDirs)
endif()
include(CMakePackageConfigHelpers)

set(packaging_templates ${CMAKE_CURRENT_LIST_DIR}/packaging)
set(packaging_output ${CMAKE_BINARY_DIR}/packaging)

set(TARVEL_PLUGIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/tarvel)
set(TARVEL_DEMO_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/tarvel-demo)
# Loadable code is read, not run: shared objects are installed without the execute bits.
set(shared_object_permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

set(TARVEL_PACKAGE_MAINTAINER "Tarvel developers <tarvel@example.org>")

# Each package carries its own copyright file and changelog. Versions without a Debian revision
# are native, and a native package's changelog is changelog.gz.
string(TIMESTAMP TARVEL_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${packaging_templates}/changelog.in ${packaging_output}/changelog @ONLY)
# Debian compresses both, without name or time stamp in the archive.
function(tarvel_compress source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
tarvel_compress(${packaging_output}/changelog ${packaging_output}/changelog.gz)
tarvel_compress(${packaging_templates}/tarvel-host.1 ${packaging_output}/tarvel-host.1.gz)
tarvel_compress(${packaging_templates}/tarvel-schedule.1 ${packaging_output}/tarvel-schedule.1.gz)
function(tarvel_install_package_documents component package)
  install(FILES ${packaging_templates}/copyright ${packaging_output}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endfunction()

# The README's introduction and the sections an operator needs become the plug-in's README.
set(TARVEL_OPERATOR_SECTIONS "Installing the packages" "The installation root"
                             "Reading the schedules from a shell")
function(tarvel_write_operator_readme source output)
  file(READ ${source} readme)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  string(FIND "${readme}" "\n## " start)
  string(SUBSTRING "${readme}" 0 ${start} operatorReadme)
  string(SUBSTRING "${readme}" ${start} -1 rest)
  set(found "")
  while(NOT rest STREQUAL "")
    string(SUBSTRING "${rest}" 4 -1 rest)
    string(FIND "${rest}" "\n## " next)
    if(next EQUAL -1)
      set(section "${rest}")
      set(rest "")
    else()
      string(SUBSTRING "${rest}" 0 ${next} section)
      string(SUBSTRING "${rest}" ${next} -1 rest)
    endif()
    string(FIND "${section}" "\n" headingEnd)
    string(SUBSTRING "${section}" 0 ${headingEnd} heading)
    if(heading IN_LIST TARVEL_OPERATOR_SECTIONS)
      string(APPEND operatorReadme "\n## ${section}")
      list(APPEND found "${heading}")
    endif()
  endwhile()
  foreach(heading IN LISTS TARVEL_OPERATOR_SECTIONS)
    if(NOT heading IN_LIST found)
      message(FATAL_ERROR "README.md has no section \"## ${heading}\" for the tarvel package")
    endif()
  endforeach()
  string(STRIP "${operatorReadme}" operatorReadme)
  file(CONFIGURE OUTPUT ${output} CONTENT "${operatorReadme}\n" @ONLY)
endfunction()
tarvel_write_operator_readme(${CMAKE_SOURCE_DIR}/README.md ${packaging_output}/README.md)

# --- tarvel: the plug-in ---------------------------------------------------------------------
install(TARGETS tarvel LIBRARY DESTINATION ${TARVEL_PLUGIN_INSTALL_DIR} COMPONENT plugin
        PERMISSIONS ${shared_object_permissions})
install(FILES ${packaging_output}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarvel
        COMPONENT plugin)
tarvel_install_package_documents(plugin tarvel)
# The administrators' command beside the plug-in, with its manual page.
install(TARGETS tarvel-schedule RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT plugin)
install(FILES ${packaging_output}/tarvel-schedule.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT plugin)

# --- tarvel-dev: what a host author builds against -------------------------------------------
install(FILES ${CMAKE_SOURCE_DIR}/include/tarvel/contract.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvel COMPONENT dev)
# tarvel.pc names its prefix absolutely, as pkg-config expects; the prefix is the one installed
# into (/usr in the packages), so it is written at install time.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(libdir \"${CMAKE_INSTALL_LIBDIR}\")
  set(includedir \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(version \"${PROJECT_VERSION}\")
  configure_file(\"${packaging_templates}/tarvel.pc.in\" \"${packaging_output}/tarvel.pc\" @ONLY)
  file(INSTALL \"${packaging_output}/tarvel.pc\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\")"
  COMPONENT dev)
# The CMake package finds its prefix from its own place, so it holds no absolute path.
set(TARVEL_PLUGIN_PATH ${TARVEL_PLUGIN_INSTALL_DIR}/libtarvel.so)
set(tarvel_cmake_install_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Tarvel)
configure_package_config_file(
  ${packaging_templates}/TarvelConfig.cmake.in ${packaging_output}/TarvelConfig.cmake
  INSTALL_DESTINATION ${tarvel_cmake_install_dir}
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR TARVEL_PLUGIN_INSTALL_DIR TARVEL_PLUGIN_PATH)
# Until 1.0 the contract may change with every minor version.
write_basic_package_version_file(${packaging_output}/TarvelConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${packaging_output}/TarvelConfig.cmake ${packaging_output}/TarvelConfigVersion.cmake
        DESTINATION ${tarvel_cmake_install_dir} COMPONENT dev)
tarvel_install_package_documents(dev tarvel-dev)

# --- tarvel-demo: the reference host with the stand-in siblings -------------------------------
# The host looks for libtarvel.so and the siblings in its own folder (the real one, with links
# resolved), so the host, the stand-ins and a link to the installed plug-in share a folder of
# their own and no environment variable is needed; /usr/bin holds a link to the host.
install(TARGETS tarvel-host RUNTIME DESTINATION ${TARVEL_DEMO_INSTALL_DIR} COMPONENT demo)
get_property(sibling_targets TARGET tarvel_siblings PROPERTY MANUALLY_ADDED_DEPENDENCIES)
install(TARGETS ${sibling_targets} LIBRARY DESTINATION ${TARVEL_DEMO_INSTALL_DIR} COMPONENT demo
        PERMISSIONS ${shared_object_permissions})
file(RELATIVE_PATH plugin_from_demo /${TARVEL_DEMO_INSTALL_DIR} /${TARVEL_PLUGIN_PATH})
file(RELATIVE_PATH host_from_bindir /${CMAKE_INSTALL_BINDIR} /${TARVEL_DEMO_INSTALL_DIR}/tarvel-host)
file(MAKE_DIRECTORY ${packaging_output}/links)
file(CREATE_LINK ${plugin_from_demo} ${packaging_output}/links/libtarvel.so SYMBOLIC)
file(CREATE_LINK ${host_from_bindir} ${packaging_output}/links/tarvel-host SYMBOLIC)
install(FILES ${packaging_output}/links/libtarvel.so DESTINATION ${TARVEL_DEMO_INSTALL_DIR}
        COMPONENT demo)
install(FILES ${packaging_output}/links/tarvel-host DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT demo)
install(FILES ${packaging_templates}/tarvel-host.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT demo)
install(FILES ${packaging_output}/tarvel-host.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT demo)
tarvel_install_package_documents(demo tarvel-demo)

# --- the Debian packages ---------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TARVEL_PACKAGE_MAINTAINER})
# The install step runs with the package's prefix into a staging DESTDIR, so tarvel.pc names
# /usr whatever prefix this build was configured with.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL plugin dev demo)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(exact_version "(= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_PLUGIN_PACKAGE_NAME tarvel)
# The office opens its local database through Firebird's embedded engine, which the client
# library loads at run time (shlibdeps cannot see it). The dialogs ask for these fonts before
# falling back to whatever the system has.
set(CPACK_DEBIAN_PLUGIN_PACKAGE_DEPENDS "firebird3.0-server-core")
set(CPACK_DEBIAN_PLUGIN_PACKAGE_RECOMMENDS "fonts-liberation | fonts-dejavu-core")
set(CPACK_COMPONENT_PLUGIN_DESCRIPTION
    "office-link plug-in of a filling-station management program\n\
Tarvel is loaded by the management program that runs at every filling\n\
station and at the chain's head office. At a station it sends the shift\n\
reports to the office on a schedule through the modem, e-mail or direct-IP\n\
transport; at the office it polls every station of the office database on\n\
its own schedule and draws all schedules as a time-line chart; at both kinds\n\
of installation it adds a settings menu for the connection password, the\n\
station's name, the removable-media exchange and the automatic sending.\n\
.\n\
This package holds the plug-in module, lib/<multiarch>/tarvel/libtarvel.so,\n\
and tarvel-schedule, which lists, checks and plans the office's poll\n\
schedules from a shell without the host program.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME tarvel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "tarvel ${exact_version}")
set(CPACK_DEBIAN_DEV_PACKAGE_RECOMMENDS "pkgconf | pkg-config")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "contract for host programs that load the Tarvel plug-in\n\
The header tarvel/contract.h declares the host call-back, the menu items,\n\
the host's variant and the plug-in's exports. A host author builds against\n\
it with pkg-config (tarvel.pc, whose variable pluginpath names the installed\n\
plug-in) or with CMake (find_package(Tarvel): the target Tarvel::Contract\n\
and the variable Tarvel_PLUGIN_PATH).")

set(CPACK_DEBIAN_DEMO_PACKAGE_NAME tarvel-demo)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "tarvel ${exact_version}")
set(CPACK_COMPONENT_DEMO_DESCRIPTION
    "reference host and stand-in transports for trying Tarvel\n\
tarvel-host plays the management program: it loads the Tarvel plug-in, hands\n\
it a call-back and its menu bar, and answers what the plug-in asks of the\n\
host. Five stand-in libraries take the place of the transports and record\n\
every call they receive. Without a display the host runs offscreen and can\n\
save a picture of every window (--screenshot).")

include(CPack)

# --- the test of the packages ----------------------------------------------------------------
# Makes the packages from this build, unpacks them into a temporary folder and uses them from
# there only: two small hosts built against tarvel-dev, and the installed reference host.
# A sanitized build makes no packages worth testing: its plug-in needs the sanitizer runtime
# loaded first, which no host built against tarvel-dev has.
if(TARVEL_SANITIZE OR TARVEL_FUZZ)
  return()
endif()
set(packaging_test_folder ${CMAKE_BINARY_DIR}/packaging-test)
add_test(NAME Packaging.BuildPackages
         COMMAND sh -c "rm -rf \"$2\" && \"$1\" --config \"$3\" -B \"$2\"" sh ${CMAKE_CPACK_COMMAND}
                 ${packaging_test_folder}/packages ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
# Making and checking the packages takes a quarter of a minute each: started early in a
# parallel run (see tarvel_test_program_costs).
set_tests_properties(Packaging.BuildPackages PROPERTIES FIXTURES_SETUP tarvel_packages COST 15)
add_test(NAME Packaging.InstalledPackagesServeHostAuthorsAndTheDemo
         COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/installed_packages_test.sh
                 ${packaging_test_folder}/packages ${packaging_test_folder}/installed
                 ${PROJECT_VERSION})
add_test(NAME Packaging.LintianFindsNoError
         COMMAND sh -c "lintian --fail-on error --tag-display-limit 0 \"$1\"/*.deb" sh
                 ${packaging_test_folder}/packages)
set_tests_properties(Packaging.InstalledPackagesServeHostAuthorsAndTheDemo
                     Packaging.LintianFindsNoError PROPERTIES FIXTURES_REQUIRED tarvel_packages
                                                              COST 15)
