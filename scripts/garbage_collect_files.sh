#!/bin/bash
# Keeps spool directories bounded in age and in number of files.
#   garbage_collect_files.sh MAX_AGE_DAYS MAX_FILES DIRECTORY...
# In each directory, deletes every regular file older than MAX_AGE_DAYS days,
# then every regular file beyond the MAX_FILES newest. Only the files directly
# in each directory are looked at; symbolic links are neither followed nor
# deleted, and a directory given as a symbolic link is left alone. File
# names may hold any character, newlines included.
set -u

max_age="${1:-}"
max_files="${2:-}"
if [[ ! "$max_age" =~ ^[0-9]+$ || ! "$max_files" =~ ^[0-9]+$ || $# -lt 3 ]]; then
    echo "usage: $0 MAX_AGE_DAYS MAX_FILES DIRECTORY..." >&2
    exit 2
fi
shift 2

status=0
for dir in "$@"; do
    if [ -L "$dir" ] || [ ! -d "$dir" ]; then
        continue
    fi
    # Older than max_age days, to the minute.
    find -P "$dir" -mindepth 1 -maxdepth 1 -type f -mmin +$((max_age * 1440)) -delete || status=1
    # Newest first; everything after the first max_files goes.
    find -P "$dir" -mindepth 1 -maxdepth 1 -type f -printf '%T@ %p\0' \
        | sort -z -r -n \
        | tail -z -n +$((max_files + 1)) \
        | cut -z -d ' ' -f 2- \
        | xargs -0 -r rm -f -- || status=1
done
exit $status
