# The layer table of src/ (docs/architecture.md): each entry is a folder or a file
# relative to src/; the longest entry that holds a path decides its layer. Read by
# src/CMakeLists.txt (one library per layer) and by CheckLayers.cmake (the include test).
set(LUMIO_LAYERS base services buscore controls features wiring)
set(LUMIO_LAYER_base platform log common)
set(LUMIO_LAYER_services endpoints app/settings log/upload store)
set(LUMIO_LAYER_buscore bus)
set(LUMIO_LAYER_controls ui)
set(LUMIO_LAYER_features mainwindow notify weather upgrade feedback)
# bus/SessionCommands.cpp: built with the wiring while it still records the crash path's
# user folder directly; it returns to the bus core once it reaches that through an entry.
set(LUMIO_LAYER_wiring app bus/CommandDispatcher.h bus/CommandDispatcher.cpp bus/SessionCommands.cpp)

# lumio_layer_of(<path relative to src/> <out layer> [<out rank>]): empty when no entry holds it.
function(lumio_layer_of path out_layer)
    set(best "")
    set(best_length -1)
    set(best_rank -1)
    set(rank 0)
    foreach(layer IN LISTS LUMIO_LAYERS)
        foreach(entry IN LISTS LUMIO_LAYER_${layer})
            string(FIND "${path}/" "${entry}/" at)
            string(LENGTH "${entry}" length)
            if(at EQUAL 0 AND length GREATER best_length)
                set(best ${layer})
                set(best_length ${length})
                set(best_rank ${rank})
            endif()
        endforeach()
        math(EXPR rank "${rank} + 1")
    endforeach()
    set(${out_layer} "${best}" PARENT_SCOPE)
    if(ARGC GREATER 2)
        set(${ARGV2} ${best_rank} PARENT_SCOPE)
    endif()
endfunction()
