# cmake -DTOOL=... -DPACK=puzzles.tsv -DLIST=Brumvelda.lis -P import_pack.cmake
# The tool reads the pack on standard input and writes all of it or nothing.
cmake_minimum_required(VERSION 3.21)
execute_process(COMMAND ${TOOL} import ${LIST}
    INPUT_FILE ${PACK}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE added
    ERROR_VARIABLE problem)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The puzzle pack does not import:\n${problem}")
endif()
string(STRIP "${added}" added)
message(STATUS "Puzzle pack: ${added} puzzles")
