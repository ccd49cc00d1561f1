/* What the Windows scenarios ask of the system beside the program under
 * test, run in the scenario's own Wine prefix:
 *
 *   winetool message CODE        the system's text for an error code
 *   winetool end-session TITLE   ends the session for the process that owns
 *                                the window TITLE, as Windows does at logoff
 *
 * end-session asks every top-level window of the process whether the
 * session may end (WM_QUERYENDSESSION) and prints "query N" with each
 * answer; then it tells them that it ends (WM_ENDSESSION), as Windows does
 * once the user has chosen to sign out anyway, and finally terminates the
 * process if it is still there, as Windows does. It prints "exited" when the
 * process ended by itself, "terminated" when it had to be ended. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#define MAX_WINDOWS 64
#define ANSWER_MS 5000

struct windows {
    DWORD pid;
    HWND list[MAX_WINDOWS];
    int count;
};

static BOOL CALLBACK collect(HWND window, LPARAM data)
{
    struct windows *found = (struct windows *)data;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == found->pid && found->count < MAX_WINDOWS)
        found->list[found->count++] = window;
    return TRUE;
}

static int windows_of(const wchar_t *title, struct windows *found)
{
    HWND window = FindWindowW(NULL, title);
    found->count = 0;
    found->pid = 0;
    if (!window)
        return 0;
    GetWindowThreadProcessId(window, &found->pid);
    EnumWindows(collect, (LPARAM)found);
    return found->count;
}

static void print_utf8(const wchar_t *text)
{
    char utf8[1024];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    printf("%s\n", utf8);
}

static int message(DWORD code)
{
    wchar_t *text = NULL;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                  NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  (LPWSTR)&text, 0, NULL);
    if (!length)
        return 1;
    while (length && (text[length - 1] == L'\n' || text[length - 1] == L'\r'))
        text[--length] = 0;
    print_utf8(text);
    LocalFree(text);
    return 0;
}

static int end_session(const wchar_t *title)
{
    struct windows found;
    HANDLE process;
    int i;
    if (!windows_of(title, &found))
        return 1;
    process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, found.pid);
    for (i = 0; i < found.count; ++i) {
        DWORD_PTR answer = 1;
        if (!SendMessageTimeoutW(found.list[i], WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                 SMTO_NORMAL, ANSWER_MS, &answer))
            answer = 1;
        printf("query %d\n", (int)answer);
    }
    fflush(stdout);
    for (i = 0; i < found.count; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(found.list[i], WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                            ANSWER_MS, &ignored);
    }
    if (WaitForSingleObject(process, ANSWER_MS) == WAIT_OBJECT_0) {
        printf("exited\n");
    } else {
        TerminateProcess(process, 0);
        printf("terminated\n");
    }
    CloseHandle(process);
    return 0;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc == 3 && !wcscmp(argv[1], L"message"))
        return message((DWORD)wcstoul(argv[2], NULL, 0));
    if (argc == 3 && !wcscmp(argv[1], L"end-session"))
        return end_session(argv[2]);
    fprintf(stderr, "usage: winetool message CODE | end-session TITLE\n");
    return 2;
}
