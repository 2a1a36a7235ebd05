# Builds a message-of-the-day file from a list of tips.
#   cmake -DIN=tips.txt -DOUT=confN.dat -DMIN_LINES=N -P MessageFiles.cmake
# The tips file is UTF-8: "# Title" starts a book, every other non-blank line is one
# message. The output is Windows-1252 with CR LF: books cycle in chapters, each chapter
# a heading line "»Title [n]" followed by one numbered line per message ("12 text"),
# the messages rotated from chapter to chapter, until the file has at least MIN_LINES
# lines (the last chapter is completed).
if(NOT IN OR NOT OUT OR NOT MIN_LINES)
  message(FATAL_ERROR "usage: cmake -DIN=... -DOUT=... -DMIN_LINES=... -P MessageFiles.cmake")
endif()

file(STRINGS "${IN}" _lines ENCODING UTF-8)
set(_books 0)
foreach(_l IN LISTS _lines)
  string(STRIP "${_l}" _l)
  if(_l STREQUAL "")
    continue()
  endif()
  if(_l MATCHES "^# *(.+)$")
    math(EXPR _books "${_books} + 1")
    set(_title_${_books} "${CMAKE_MATCH_1}")
    set(_tips_${_books} "")
  elseif(_books GREATER 0)
    list(APPEND _tips_${_books} "${_l}")
  endif()
endforeach()
if(_books EQUAL 0)
  message(FATAL_ERROR "${IN}: no book")
endif()

# UTF-8 to Windows-1252 for the letters Portuguese uses.
set(_map "»:187" "º:186" "ª:170"
  "á:225" "à:224" "â:226" "ã:227" "é:233" "ê:234" "í:237" "ó:243" "ô:244" "õ:245"
  "ú:250" "ü:252" "ç:231"
  "Á:193" "À:192" "Â:194" "Ã:195" "É:201" "Ê:202" "Í:205" "Ó:211" "Ô:212" "Õ:213"
  "Ú:218" "Ü:220" "Ç:199")
function(to_cp1252 var)
  set(_t "${${var}}")
  foreach(_pair IN LISTS _map)
    string(REGEX MATCH "^(.+):([0-9]+)$" _m "${_pair}")
    string(ASCII ${CMAKE_MATCH_2} _byte)
    string(REPLACE "${CMAKE_MATCH_1}" "${_byte}" _t "${_t}")
  endforeach()
  set(${var} "${_t}" PARENT_SCOPE)
endfunction()

# Each book's chapter text is built once per rotation; the file grows chapter by
# chapter (appending to one large string would copy it every time).
set(_heading "»")
to_cp1252(_heading)
foreach(_b RANGE 1 ${_books})
  to_cp1252(_title_${_b})
  set(_conv "")
  foreach(_t IN LISTS _tips_${_b})
    to_cp1252(_t)
    list(APPEND _conv "${_t}")
  endforeach()
  set(_tips_${_b} "${_conv}")
endforeach()

file(WRITE "${OUT}" "")
set(_count 0)
set(_chapter 0)
while(_count LESS MIN_LINES)
  math(EXPR _chapter "${_chapter} + 1")
  set(_text "")
  foreach(_b RANGE 1 ${_books})
    list(LENGTH _tips_${_b} _n)
    string(APPEND _text "${_heading}${_title_${_b}} [${_chapter}]\r\n")
    math(EXPR _shift "((${_chapter} - 1) * 5) % ${_n}")
    math(EXPR _last "${_n} - 1")
    foreach(_v RANGE 0 ${_last})
      math(EXPR _i "(${_v} + ${_shift}) % ${_n}")
      list(GET _tips_${_b} ${_i} _tip)
      math(EXPR _num "${_v} + 1")
      string(APPEND _text "${_num} ${_tip}\r\n")
    endforeach()
    math(EXPR _count "${_count} + 1 + ${_n}")
  endforeach()
  file(APPEND "${OUT}" "${_text}")
endwhile()
