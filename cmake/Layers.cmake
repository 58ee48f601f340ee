# The program's folders are layers, each built as one library that links only the layer beneath it:
#   base <- win <- controls <- prefs <- output <- app
# A layer's include root is a folder of the build tree holding links to its own source folder and
# those beneath it, and nothing else, so an include from a layer above does not compile.
set(TNWK_LAYERS base win controls prefs output app)

# Makes the include root of `layer` and returns its path.
function(tnwk_layer_root layer out)
    set(root ${CMAKE_BINARY_DIR}/layers/${layer})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root})
    foreach(visible IN LISTS TNWK_LAYERS)
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${visible} ${root}/${visible} SYMBOLIC)
        if(visible STREQUAL layer)
            break()
        endif()
    endforeach()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# The sources of a layer: every .cpp of its folder (app: with launch/, without the entry point);
# with `core_only`, the platform-free ones (all of base, the *_core.cpp files elsewhere).
function(tnwk_layer_sources layer core_only out)
    if(layer STREQUAL "app")
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/*.cpp
             ${CMAKE_SOURCE_DIR}/src/app/launch/*.cpp)
        list(FILTER sources EXCLUDE REGEX "/app/tnwk\\.cpp$")
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp)
    endif()
    if(core_only AND NOT layer STREQUAL "base")
        list(FILTER sources INCLUDE REGEX "_core\\.cpp$")
    endif()
    set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Makes the libraries tnwk_base ... tnwk_app, each linked to the one beneath (a layer without
# sources of its own in this build is an interface library that only passes its root on).
function(tnwk_add_layers core_only)
    set(below "")
    foreach(layer IN LISTS TNWK_LAYERS)
        tnwk_layer_root(${layer} root)
        tnwk_layer_sources(${layer} ${core_only} sources)
        if(sources)
            add_library(tnwk_${layer} STATIC ${sources})
            set(scope PUBLIC)
        else()
            add_library(tnwk_${layer} INTERFACE)
            set(scope INTERFACE)
        endif()
        target_include_directories(tnwk_${layer} ${scope} ${root})
        if(below)
            target_link_libraries(tnwk_${layer} ${scope} ${below})
        endif()
        set(below tnwk_${layer})
    endforeach()
endfunction()

# A test that proves the layering: from every layer, an include of each layer above fails to compile,
# while every layer up to its own is visible.
function(tnwk_add_layer_test name)
    string(JOIN "," layers ${TNWK_LAYERS})
    add_test(NAME ${name}
             COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                     -DROOTS=${CMAKE_BINARY_DIR}/layers -DWORK=${CMAKE_BINARY_DIR}/layer_check
                     -DLAYERS=${layers} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
endfunction()
