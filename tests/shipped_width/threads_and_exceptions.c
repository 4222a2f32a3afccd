/* Whether this Wine can host the suite's processes: one with a second thread running that raises
 * and handles a Windows exception (OutputDebugStringA raises one). Some user-mode emulators of
 * 32-bit code (qemu-user 7.2 with Wine 8.0) end such a process there; then every check whose
 * process starts a thread fails for that reason alone, and this check says so first. */
#include <stdio.h>
#include <windows.h>

static DWORD WINAPI Idle(void* unused) {
    (void)unused;
    Sleep(INFINITE);
    return 0;
}

int main(void) {
    HANDLE thread = CreateThread(NULL, 0, Idle, NULL, 0, NULL);
    if (!thread) return 1;
    CloseHandle(thread);
    OutputDebugStringA("threads_and_exceptions: an exception beside a second thread\n");
    puts("A PROCESS WITH TWO THREADS OUTLIVES AN EXCEPTION");
    return 0;
}
