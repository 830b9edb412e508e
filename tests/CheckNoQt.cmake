# Fails when any library of the core (LIBS, comma-separated) refers to a Qt
# symbol.
find_program(NM nm REQUIRED)
string(REPLACE "," ";" libs "${LIBS}")
foreach(lib IN LISTS libs)
  execute_process(COMMAND ${NM} -C --undefined-only ${lib}
    OUTPUT_VARIABLE syms RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "nm failed on ${lib}")
  endif()
  string(REGEX MATCHALL "[^\n]*(Q[A-Z][A-Za-z]+::|qt_[a-z]|QString|QObject)[^\n]*" hits "${syms}")
  if(hits)
    list(JOIN hits "\n" text)
    message(FATAL_ERROR "${lib} refers to Qt:\n${text}")
  endif()
  message(STATUS "${lib} refers to no Qt symbol")
endforeach()
