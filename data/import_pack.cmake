# cmake -DTOOL=... -DPACK=puzzles.tsv -DLIST=Brumvelda.lis -P import_pack.cmake
# The tool reads the pack on standard input and writes all of it or nothing. puzzles.tsv stays sorted by
# category, language and level for editing; the list is then spread for the draw with a fixed seed, so a
# rebuild gives the same bytes and no one-category choice meets its puzzles in one block.
cmake_minimum_required(VERSION 3.21)
execute_process(COMMAND ${TOOL} import ${LIST}
    INPUT_FILE ${PACK}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE added
    ERROR_VARIABLE problem)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The puzzle pack does not import:\n${problem}")
endif()
execute_process(COMMAND ${TOOL} shuffle --seed 1 ${LIST}
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE problem)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The puzzle pack does not shuffle:\n${problem}")
endif()
string(STRIP "${added}" added)
message(STATUS "Puzzle pack: ${added} puzzles")
