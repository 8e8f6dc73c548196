# Writes the network printer's status profile and default profile from
# printwatch's table of codes (ipp/status_table.def), so that the profiles
# say exactly what printwatch posts. Run at build time:
#   cmake -DTABLE=ipp/status_table.def -DOUT_DIR=bin/network -P network_profiles.cmake
# The reason keywords' codes go into the driver's section of profile.ini,
# the printer's and connection's states into [Default] of default.ini; the
# texts of both into the language sections of profile.ini.
cmake_minimum_required(VERSION 3.18)
if(NOT TABLE OR NOT OUT_DIR)
  message(FATAL_ERROR "network_profiles.cmake needs -DTABLE=... and -DOUT_DIR=...")
endif()

# Must match the driver name and language numbers statusctl installs.
set(driver "Network Printer")
set(message_base 1000)

# A status key or message key as the monitor looks it up: five digits.
function(code_key code out)
  string(LENGTH "${code}" length)
  set(key "${code}")
  while(length LESS 5)
    set(key "0${key}")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${key}" PARENT_SCOPE)
endfunction()

file(STRINGS "${TABLE}" lines REGEX "^WATCH_(STATE|REASON)\\(")
set(state_entries "")
set(reason_entries "")
set(texts_1 "")
set(texts_2 "")
set(default_texts_1 "")
set(default_texts_2 "")
set(quoted "\"([^\"]*)\"")
foreach(line IN LISTS lines)
  if(line MATCHES "^WATCH_STATE\\(([A-Za-z]+), ([0-9]+), ([0-2]), ${quoted}, ${quoted}\\)$")
    set(code ${CMAKE_MATCH_2})
    set(severity ${CMAKE_MATCH_3})
    set(english "${CMAKE_MATCH_4}")
    set(german "${CMAKE_MATCH_5}")
    math(EXPR message "${message_base} + ${code}")
    code_key(${code} key)
    code_key(${message} message_key)
    string(APPEND state_entries "${key}=${code},${severity},${message}\n")
    string(APPEND default_texts_1 "${message_key}=${english}\n")
    string(APPEND default_texts_2 "${message_key}=${german}\n")
  elseif(line MATCHES "^WATCH_REASON\\(([A-Za-z]+), ${quoted}, ([0-9]+), ${quoted}, ${quoted}\\)$")
    set(keyword "${CMAKE_MATCH_2}")
    set(block ${CMAKE_MATCH_3})
    set(english "${CMAKE_MATCH_4}")
    set(german "${CMAKE_MATCH_5}")
    math(EXPR message "${message_base} + ${block}")
    code_key(${message} message_key)
    string(APPEND reason_entries "; ${keyword}: -report, -error (or no suffix), -warning\n")
    # The status code is the block plus the severity it stands for.
    foreach(severity 0 1 2)
      math(EXPR code "${block} + ${severity}")
      code_key(${code} key)
      string(APPEND reason_entries "${key}=${code},${severity},${message}\n")
    endforeach()
    string(APPEND texts_1 "${message_key}=${english}\n")
    string(APPEND texts_2 "${message_key}=${german}\n")
  else()
    message(FATAL_ERROR "${TABLE}: a line the profiles cannot be made from:\n${line}")
  endif()
endforeach()

set(header "; Made at build time from ipp/status_table.def: change the table, not this file.\n")
file(MAKE_DIRECTORY "${OUT_DIR}")
file(WRITE "${OUT_DIR}/profile.ini.new"
"; Status profile of a network printer watched by printwatch.exe over IPP.
${header}; [${driver}]: status entries <code>=<code>,<severity>,<message code>;
; severity 1 error, 2 warning, 0 normal. Status codes are below 1000 and
; message codes from 1000 on, so that no status code equals a message code.
; Alert=1: a balloon for errors.

[${driver}]
ScrollMsg=0
Alert=1
${reason_entries}
[${driver},001]
Caption=${driver} Status
${texts_1}
[${driver},002]
Caption=${driver} Druckerstatus
${texts_2}
[Default,001]
Caption=Printer Status
${default_texts_1}
[Default,002]
Caption=Druckerstatus
${default_texts_2}")
file(WRITE "${OUT_DIR}/default.ini.new"
"; Default profile of a network printer watched by printwatch.exe over IPP:
; the states of the printer and of the connection to it. Their texts are in
; the [Default,NNN] sections of the status profile.
${header}
[Default]
${state_entries}")
# Replaced only when changed, so that a build without changes rewrites nothing.
foreach(name profile.ini default.ini)
  file(COPY_FILE "${OUT_DIR}/${name}.new" "${OUT_DIR}/${name}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUT_DIR}/${name}.new")
endforeach()
