# SPDX-License-Identifier: GPL-3.0-or-later
# Copies SRC to DST unless DST exists: a user's own Command.INI is never replaced.
if(NOT EXISTS "${DST}")
  get_filename_component(dst_dir "${DST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dst_dir}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
