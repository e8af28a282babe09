cmake_minimum_required(VERSION 3.18)

# Checks what the shared library exports against the headers an application
# compiles with. Run with cmake -P and:
#   LIBRARY       the shared library
#   NM            the nm program
#   HEADER_LIST   a file naming the public headers, one absolute path a line
# Fails when a host name appears in an exported symbol without being a class,
# enum or function that a public header declares with VANTREL_API (an enum
# needs no macro), or when a class defined in a public header lacks the macro.

file(STRINGS ${HEADER_LIST} headers)
set(allowed)
set(unmarked)
foreach(header ${headers})
  file(STRINGS ${header} lines REGEX "^(class|struct|enum|VANTREL_API) ")
  foreach(line ${lines})
    if(line MATCHES "^(class|struct) VANTREL_API ([A-Za-z0-9_]+)")
      list(APPEND allowed ${CMAKE_MATCH_2})
    elseif(line MATCHES "^enum (class )?([A-Za-z0-9_]+)")
      list(APPEND allowed ${CMAKE_MATCH_2})
    elseif(line MATCHES "^VANTREL_API [^(]*[ *&]([A-Za-z0-9_]+)\\(")
      list(APPEND allowed ${CMAKE_MATCH_1})
    elseif(line MATCHES "^(class|struct) ([A-Za-z0-9_]+)( final)?( *:.*)?$")
      list(APPEND unmarked "${CMAKE_MATCH_2} (${header})")
    endif()
  endforeach()
endforeach()
if(unmarked)
  string(REPLACE ";" "\n  " unmarked "${unmarked}")
  message(FATAL_ERROR "classes of public headers without VANTREL_API:\n  ${unmarked}")
endif()

execute_process(COMMAND ${NM} -D --defined-only -C ${LIBRARY}
                RESULT_VARIABLE rc OUTPUT_VARIABLE symbols ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR symbols STREQUAL "")
  message(FATAL_ERROR "nm failed on ${LIBRARY}: ${err}")
endif()

# Host names: a folder prefix and an underscore (RE_Render), or a prefix run
# into a lower-case word (UTaddError).
set(host_name "^(UT|SYS|RE|GU|GEO|GB|GR|GR2D|OP|CH|OPUI|TIL|UI|BM|DD)(_[A-Za-z0-9_]+|[a-z][A-Za-z0-9]*)$")
string(REGEX REPLACE "[^A-Za-z0-9_\n]+" ";" tokens "${symbols}")
string(REPLACE "\n" ";" tokens "${tokens}")
list(REMOVE_DUPLICATES tokens)
set(leaked)
foreach(token ${tokens})
  if(token MATCHES "${host_name}" AND NOT token IN_LIST allowed)
    list(APPEND leaked ${token})
  endif()
endforeach()
if(leaked)
  string(REPLACE ";" " " leaked "${leaked}")
  message(FATAL_ERROR "the shared library exports host names no public header declares: ${leaked}")
endif()

# The application's entry points are there at all.
foreach(needed "RE_Render::getMainRender()" "GUI_ViewState::GUI_ViewState()" "vantrel_gui_version")
  string(FIND "${symbols}" "${needed}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the shared library does not export ${needed}")
  endif()
endforeach()
