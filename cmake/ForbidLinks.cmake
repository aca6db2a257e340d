# Stops the configuration if the target links a library that matches the
# pattern: the layers under the page and the command line stay free of Qt.
function(forbid_links target pattern)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(links ${target} ${property})
        foreach(lib IN LISTS links)
            if(lib MATCHES "${pattern}")
                message(FATAL_ERROR "${target} must not link ${lib}")
            endif()
        endforeach()
    endforeach()
endfunction()
