# cmake -DBUILD=<build dir> -DSOURCE=<source dir> -DWORK=<scratch dir> -DHAVE_GAME=0|1 -P install_test.cmake
# Installs the built tree into a scratch prefix, plays the user's part (a register, settings, a puzzle of
# their own), installs again and uninstalls: what was installed goes, what the user made stays.
cmake_minimum_required(VERSION 3.21)
set(prefix "${WORK}/prefix")
set(gameDir "${prefix}/lib/brumvelda")
# Installing one component writes install_manifest_Unspecified.txt, so the manifest of the
# developer's real install (install_manifest.txt) is left alone.
set(manifest "${BUILD}/install_manifest_Unspecified.txt")

function(fail text)
    message(FATAL_ERROR "${text}")
endfunction()

function(expect_exists path)
    if(NOT EXISTS "${path}")
        fail("missing after install: ${path}")
    endif()
endfunction()

function(expect_gone path)
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        fail("still there after uninstall: ${path}")
    endif()
endfunction()

function(run_install)
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}" --component Unspecified
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        fail("install failed:\n${out}${err}")
    endif()
endfunction()

function(run_uninstall)
    execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -P "${SOURCE}/data/uninstall.cmake"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        fail("uninstall failed:\n${out}${err}")
    endif()
endfunction()

# Number of puzzles in a list, as the installed tool counts them.
function(count_puzzles list outVar)
    execute_process(COMMAND "${prefix}/bin/brumvelda-tabla" check "${list}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        fail("brumvelda-tabla check ${list} failed: ${err}")
    endif()
    string(STRIP "${out}" out)
    set(${outVar} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# A system-wide game (the Debian package) keeps each player's files in ~/.local/share/brumvelda: with the
# prefix ~/.local, installing and uninstalling must leave that folder alone.
set(systemGameData "${prefix}/share/brumvelda")
foreach(name Brumvelda.lis Brumvelda.jat Brumvelda.ini)
    file(WRITE "${systemGameData}/${name}" "the system-wide game's ${name}")
endforeach()

# --- a fresh install
run_install()
expect_exists("${prefix}/bin/brumvelda-tabla")
expect_exists("${gameDir}/Brumvelda.lis")
expect_exists("${prefix}/share/games/brumvelda/Brumvelda.lis")
expect_exists("${prefix}/share/icons/hicolor/scalable/apps/brumvelda.svg")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${SOURCE}/data/art/brumvelda.svg"
                "${prefix}/share/icons/hicolor/scalable/apps/brumvelda.svg" RESULT_VARIABLE differs)
if(differs)
    fail("the installed icon is not data/art/brumvelda.svg")
endif()
if(NOT IS_SYMLINK "${prefix}/bin/brumvelda")
    fail("${prefix}/bin/brumvelda is not a link to the game")
endif()
if(HAVE_GAME)
    expect_exists("${gameDir}/brumvelda")
    file(REAL_PATH "${prefix}/bin/brumvelda" launcher)
    file(REAL_PATH "${gameDir}/brumvelda" game)
    if(NOT launcher STREQUAL game)
        fail("the launcher leads to ${launcher}, not to ${game}")
    endif()
endif()

# Read whole, not as a list: the entry's values are full of semicolons.
file(READ "${prefix}/share/applications/brumvelda.desktop" entry)
set(entry "\n${entry}\n")
foreach(line IN ITEMS "[Desktop Entry]" "Type=Application" "Exec=\"${gameDir}/brumvelda\"" "Icon=brumvelda")
    string(FIND "${entry}" "\n${line}\n" at)
    if(at EQUAL -1)
        fail("the desktop entry lacks the line \"${line}\"")
    endif()
endforeach()
foreach(pattern IN ITEMS "\nCategories=Game;" "\nName\\[hu\\]=[^\n]" "\nComment\\[hu\\]=[^\n]")
    if(NOT entry MATCHES "${pattern}")
        fail("the desktop entry has no line matching ${pattern}")
    endif()
endforeach()

count_puzzles("${BUILD}/data/Brumvelda.lis" shipped)
count_puzzles("${gameDir}/Brumvelda.lis" installed)
if(NOT installed STREQUAL shipped OR shipped LESS 640)
    fail("the installed list holds ${installed} puzzles, the pack ${shipped}")
endif()

# --- the user plays: a register, settings and a puzzle of their own beside the game
file(WRITE "${gameDir}/Brumvelda.jat" "the player's register")
file(WRITE "${gameDir}/Brumvelda.ini" "[Last]\nJatekos=Anna\n")
file(WRITE "${WORK}/own.tsv" "Szoveg\tNyelv\tSugo1\tFokozat\tKategoria\nSAJÁT FELADVÁNY\t1\tA játékosé\t1\t1\n")
execute_process(COMMAND "${prefix}/bin/brumvelda-tabla" import "${gameDir}/Brumvelda.lis"
                INPUT_FILE "${WORK}/own.tsv" RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    fail("could not add the user's puzzle: ${err}")
endif()
math(EXPR withOwn "${shipped} + 1")

# --- installing again (an update) keeps the user's list
run_install()
count_puzzles("${gameDir}/Brumvelda.lis" afterUpdate)
if(NOT afterUpdate EQUAL withOwn)
    fail("a second install replaced the user's list (${afterUpdate} puzzles, expected ${withOwn})")
endif()

# --- uninstall: everything installed goes, the user's three files and their folder stay
file(STRINGS "${manifest}" installedFiles)
run_uninstall()
foreach(path IN LISTS installedFiles)
    expect_gone("${path}")
endforeach()
expect_gone("${prefix}/bin/brumvelda")
expect_gone("${prefix}/share/applications/brumvelda.desktop")
expect_gone("${prefix}/share/games/brumvelda")
foreach(name Brumvelda.lis Brumvelda.jat Brumvelda.ini)
    if(NOT EXISTS "${gameDir}/${name}")
        fail("uninstall removed the user's ${name}")
    endif()
    file(READ "${systemGameData}/${name}" kept)
    if(NOT kept STREQUAL "the system-wide game's ${name}")
        fail("install or uninstall touched ${systemGameData}/${name}")
    endif()
endforeach()

# --- a list the user never changed is ours: uninstall leaves nothing behind
file(REMOVE_RECURSE "${prefix}")
run_install()
run_uninstall()
expect_gone("${gameDir}")
expect_gone("${prefix}/share/games/brumvelda")

file(REMOVE_RECURSE "${WORK}")
message(STATUS "install and uninstall into ${prefix}: fine")
