# Release builds for Linux take the distribution's hardening flags (stack protector,
# _FORTIFY_SOURCE, RELRO with BIND_NOW, PIE) from dpkg-buildflags, as Debian's own packages do.
# Debug information is left out: the package strips it anyway, and it slows the build.
if(WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
endif()
find_program(KORVEN_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT KORVEN_DPKG_BUILDFLAGS)
    message(WARNING "dpkg-buildflags not found: this Release build is not hardened")
    return()
endif()
function(korven_debian_flags kind out)
    # Run in the source folder, so the file-prefix map it adds makes paths relative to it.
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
                "${KORVEN_DPKG_BUILDFLAGS}" --get ${kind}
        WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()
korven_debian_flags(CPPFLAGS cpp_flags)
korven_debian_flags(CXXFLAGS cxx_flags)
korven_debian_flags(LDFLAGS ld_flags)
add_compile_options(${cpp_flags} ${cxx_flags})
add_link_options(${ld_flags})
