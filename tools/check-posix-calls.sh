#!/usr/bin/env bash
# Checks that the Qt layers (render, the UI floor, app, view, dialogs, side
# bar) reach the system through Qt or the platform layer only, so they build
# for Windows as they are: no POSIX header and no POSIX-only call in them.
# Prints each offending line and exits 1.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
folders=(render ui app view dialogs sidebar)

headers='unistd|fcntl|dirent|dlfcn|signal|pwd|grp|poll|pthread|termios|spawn|syslog|iconv|glob|fnmatch|libgen|semaphore|sys/[a-z_]+|netinet/[a-z_]+|arpa/[a-z_]+'
calls='getuid|geteuid|getgid|getegid|getpid|getppid|fork|vfork|execv|execvp|execl|waitpid|kill|sigaction|raise|pipe|dup2|fcntl|fsync|fdatasync|chmod|fchmod|chown|umask|symlink|readlink|mkfifo|mkdtemp|mkstemp|realpath|isatty|usleep|nanosleep|mmap|munmap|dlopen|dlsym|opendir|readdir|getpwuid|setenv|unsetenv|getsockopt|setsockopt'

status=0
for folder in "${folders[@]}"; do
    [ -d "$src/$folder" ] || continue
    # A call is a name not reached through an object or a namespace (a
    # QThread::sleep or file.chmod is fine), optionally with a leading ::.
    if grep -rnE --include='*.cpp' --include='*.h' \
        -e "^#[[:space:]]*include[[:space:]]*<($headers)\.h>" \
        -e "(^|[^.>:A-Za-z0-9_])(::)?($calls)[[:space:]]*\(" "$src/$folder"; then
        status=1
    fi
done
if [ $status -ne 0 ]; then
    echo "POSIX-only code outside the platform layer (tools/check-posix-calls.sh)"
fi
exit $status
