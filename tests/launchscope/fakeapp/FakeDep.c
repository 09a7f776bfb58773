#include <signal.h>
#include <stdlib.h>

/* Stands for a library whose start-up code crashes on this machine (a broken driver, a bad build). */
__attribute__((constructor)) static void onLoad(void)
{
    if (getenv("LAUNCHSCOPE_FAKEDEP_CRASH"))
        raise(SIGSEGV);
}

int launchscopeFakeAnswer(void)
{
    return 42;
}
