# cmake -DMANIFEST=build/install_manifest.txt -P uninstall.cmake
# Removes what the last install put down, and never the player's data: the register and the settings
# (Brumvelda.jat, Brumvelda.ini) are written by the game, never installed, so they are never in the
# manifest; the puzzle list beside the game is removed only while it is byte for byte the shipped one.
cmake_minimum_required(VERSION 3.21)
if(NOT EXISTS "${MANIFEST}")
    message(STATUS "Nothing installed: no ${MANIFEST}")
    return()
endif()
file(STRINGS "${MANIFEST}" installed)

set(reference "")
set(gameDir "")
foreach(path IN LISTS installed)
    if(path MATCHES "/share/(games/)?brumvelda/Brumvelda\\.lis$") # share/brumvelda: earlier installs
        set(reference "${path}")
    elseif(path MATCHES "^(.*/lib/brumvelda)/brumvelda$")
        set(gameDir "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(gameDir STREQUAL "" AND reference MATCHES "^(.*)/share/(games/)?brumvelda/Brumvelda\\.lis$")
    set(gameDir "${CMAKE_MATCH_1}/lib/brumvelda")
endif()

# The game rewrites its list at every exit; unchanged puzzles give the same bytes, so a list equal to
# the reference holds nothing of the user's.
if(NOT gameDir STREQUAL "" AND EXISTS "${gameDir}/Brumvelda.lis")
    if(EXISTS "${reference}")
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${gameDir}/Brumvelda.lis" "${reference}"
                        RESULT_VARIABLE differs)
    else()
        set(differs 1)
    endif()
    if(differs)
        message(STATUS "Keeping your puzzle list: ${gameDir}/Brumvelda.lis")
    else()
        file(REMOVE "${gameDir}/Brumvelda.lis")
        message(STATUS "Removed: ${gameDir}/Brumvelda.lis")
    endif()
endif()

# An older install put its reference copy into share/brumvelda, which is also the data folder of a system-wide
# game under ~/.local: with a register or settings beside it, the list there is that game's, not ours.
get_filename_component(referenceDir "${reference}" DIRECTORY)
if(NOT reference STREQUAL "" AND (EXISTS "${referenceDir}/Brumvelda.jat" OR EXISTS "${referenceDir}/Brumvelda.ini"))
    message(STATUS "Keeping ${reference}: the game keeps its files there")
    set(reference "")
endif()

foreach(path IN LISTS installed)
    get_filename_component(name "${path}" NAME)
    if(name MATCHES "^Brumvelda\\.(lis|jat|ini)$" AND NOT path STREQUAL reference)
        continue() # the player's files, whatever the manifest says
    endif()
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        file(REMOVE "${path}")
        message(STATUS "Removed: ${path}")
    endif()
endforeach()

# Our own folders go when nothing of the user's is left in them.
get_filename_component(shareDir "${reference}" DIRECTORY)
foreach(dir IN ITEMS "${gameDir}" "${shareDir}")
    if(NOT dir STREQUAL "" AND IS_DIRECTORY "${dir}")
        file(GLOB left "${dir}/*")
        if(left)
            message(STATUS "Keeping ${dir}: it holds your files")
        else()
            file(REMOVE_RECURSE "${dir}")
            message(STATUS "Removed: ${dir}")
        endif()
    endif()
endforeach()
