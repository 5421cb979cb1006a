cmake_minimum_required(VERSION 3.20)
# Checks the portable download: it holds exactly the program that was built and a read-me in
# Windows line ends that names the version. Run with -DZIP=... -DPROGRAM=... -DVERSION=...
# -DWORK=<scratch folder>.
foreach(name ZIP PROGRAM VERSION WORK)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "${name} is not given")
  endif()
endforeach()
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "${ZIP} does not exist")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${WORK}")
file(GLOB_RECURSE contents RELATIVE "${WORK}" "${WORK}/*")
list(SORT contents)
if(NOT contents STREQUAL "Haloquill.exe;Readme.txt")
  message(FATAL_ERROR "the zip holds '${contents}', not Haloquill.exe and Readme.txt")
endif()

file(SHA256 "${WORK}/Haloquill.exe" packed)
file(SHA256 "${PROGRAM}" built)
if(NOT packed STREQUAL built)
  message(FATAL_ERROR "the zip's Haloquill.exe is not ${PROGRAM}")
endif()

# Read as hexadecimal, since a text read gives no carriage returns; in ASCII text "0d0a" and
# "0a" can only match whole bytes.
file(READ "${WORK}/Readme.txt" readme_bytes HEX)
string(REPLACE "0d0a" "" without_crlf "${readme_bytes}")
string(FIND "${without_crlf}" "0a" bare_line_feed)
if(NOT bare_line_feed EQUAL -1 OR without_crlf STREQUAL readme_bytes)
  message(FATAL_ERROR "Readme.txt has lines that do not end in CR LF")
endif()
file(READ "${WORK}/Readme.txt" readme)
string(FIND "${readme}" "Corvel Haloquill ${VERSION}" named)
if(named EQUAL -1)
  message(FATAL_ERROR "Readme.txt does not name version ${VERSION}")
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "${ZIP}: the program and its read-me")
