# cmake -DSHIPPED=<file;file...> -DHISTORY=<digest list> -DFOLDER=<program folder>/tariffs
#       -P InstallShippedTariffs.cmake
#
# Lays the shipped price files into the program folder's tariffs/ without
# ever losing a seller's edit:
#   - a file that is not there yet is laid down;
#   - a file whose bytes are one of the versions this program ever shipped
#     (HISTORY, or the one shipped now) was never changed by the seller and
#     is replaced by the version shipped now;
#   - a file the seller changed is kept, and the version shipped now is put
#     beside it as "<name>.toml.new", which the price reader does not read;
#     the program names it at its next start.
# Every replacement is written beside and renamed over, so an install that
# fails half-way leaves each file whole. A file the seller deleted (moved
# into .deleted/ by the tariff editor) is laid down again, as before.
#
# HISTORY holds lines "<sha256>  <name>.toml" (scripts/record-shipped-tariffs.sh
# writes them from the project's history).

set(known "")
if(EXISTS "${HISTORY}")
  file(STRINGS "${HISTORY}" lines REGEX "^[0-9a-f]+  [^ ]+$")
  foreach(line IN LISTS lines)
    string(REPLACE "  " ";" pair "${line}")
    list(GET pair 0 digest)
    list(GET pair 1 name)
    list(APPEND known "${name}:${digest}")
  endforeach()
endif()

function(lay_down source target)
  get_filename_component(folder "${target}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  set(part "${target}.part")
  file(COPY_FILE "${source}" "${part}")
  file(RENAME "${part}" "${target}")
endfunction()

foreach(source IN LISTS SHIPPED)
  get_filename_component(name "${source}" NAME)
  set(target "${FOLDER}/${name}")
  set(beside "${target}.new")
  file(SHA256 "${source}" shipped)
  if(NOT EXISTS "${target}")
    lay_down("${source}" "${target}")
    file(REMOVE "${beside}")
    continue()
  endif()
  file(SHA256 "${target}" present)
  list(FIND known "${name}:${present}" shipped_before)
  if(present STREQUAL shipped)
    message(STATUS "Up to date: ${target}")
    file(REMOVE "${beside}")
  elseif(shipped_before GREATER -1)
    message(STATUS "Renewing (never changed): ${target}")
    lay_down("${source}" "${target}")
    file(REMOVE "${beside}")
  else()
    message(STATUS "Keeping the seller's ${target}; the new version is beside it: ${beside}")
    lay_down("${source}" "${beside}")
  endif()
endforeach()
