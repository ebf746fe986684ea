# cmake -DIN=list.txt -DOUT=list.inc -P EmbedList.cmake: turns a text file of
# names, one a line, into C++ string literals, one a line, for an array.
file(STRINGS "${IN}" names)
set(body "// Made from ${IN} by EmbedList.cmake.\n")
foreach(name IN LISTS names)
  if(name MATCHES "[\"\\\\]")
    message(FATAL_ERROR "${IN}: a name holds a quote or a backslash: ${name}")
  endif()
  string(APPEND body "\"${name}\",\n")
endforeach()
file(WRITE "${OUT}.new" "${body}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
