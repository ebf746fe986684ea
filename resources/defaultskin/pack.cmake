# Packs the members listed in MEMBERS/members.lst, in that order, into the
# cabinet OUTPUT with GCAB (MSZIP), and checks the order gcab stored.
file(STRINGS ${MEMBERS}/members.lst names)
file(REMOVE ${OUTPUT})
# gcab stores the files' dates in local time: UTC keeps them fixed.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${GCAB} --create --zip ${OUTPUT} ${names}
  WORKING_DIRECTORY ${MEMBERS} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gcab failed to make ${OUTPUT}")
endif()
execute_process(COMMAND ${GCAB} --list ${OUTPUT} OUTPUT_VARIABLE listed RESULT_VARIABLE rc)
string(STRIP "${listed}" listed)
string(REPLACE "\n" ";" listed "${listed}")
if(NOT rc EQUAL 0 OR NOT "${listed}" STREQUAL "${names}")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "${OUTPUT} holds '${listed}', not '${names}'")
endif()
