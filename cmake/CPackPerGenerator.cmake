# Read by CPack for each generator: the Debian package also carries the
# files Debian asks for (copyright, changelog, lintian overrides); the
# archives unpack into one folder, velmor-<version>-<system>/.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL game debian)
else()
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
