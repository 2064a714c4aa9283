# korven_add_windows_resource(TARGET DESCRIPTION): gives a Windows program the icon, the
# application manifest and the version information of the about box, and the address-space
# protections of a current Windows program. Does nothing elsewhere.
function(korven_add_windows_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(KORVEN_ICON "${PROJECT_SOURCE_DIR}/preferences/icons/korvenedit.ico")
    set(KORVEN_RC_NAME "${target}")
    set(KORVEN_RC_DESCRIPTION "${description}")
    # As the about box shows it: minor version with two digits, then the revision.
    string(LENGTH "${PROJECT_VERSION_MINOR}" minorDigits)
    set(minor "${PROJECT_VERSION_MINOR}")
    if(minorDigits EQUAL 1)
        set(minor "0${minor}")
    endif()
    set(KORVEN_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor} Rev${PROJECT_VERSION_PATCH}")
    set(KORVEN_MANIFEST "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/korvenedit.manifest.in" "${KORVEN_MANIFEST}" @ONLY)
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/WindowsResource.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
    set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${KORVEN_MANIFEST}" "${KORVEN_ICON}")
    # ASLR with 64-bit addresses and no executable data; no link time in the header, so two
    # builds of one commit give the same bytes.
    target_link_options(${target} PRIVATE -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va
                        -Wl,--no-insert-timestamp)
endfunction()
