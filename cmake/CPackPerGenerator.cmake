# Read by CPack for each generator: the Debian package also carries the
# files Debian asks for (copyright, changelog, lintian overrides).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL game debian)
endif()
