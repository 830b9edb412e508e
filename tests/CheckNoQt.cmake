# Fails when the static core library refers to any Qt symbol.
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -C --undefined-only ${LIB}
  OUTPUT_VARIABLE syms RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()
string(REGEX MATCHALL "[^\n]*(Q[A-Z][A-Za-z]+::|qt_[a-z]|QString|QObject)[^\n]*" hits "${syms}")
if(hits)
  list(JOIN hits "\n" text)
  message(FATAL_ERROR "quillet_core refers to Qt:\n${text}")
endif()
message(STATUS "quillet_core refers to no Qt symbol")
