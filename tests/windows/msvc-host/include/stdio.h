// What this host takes from Wine's msvcrt.dll, string functions included: a
// Microsoft-ABI program here has no C library of its own.
#pragma once

#include <stdarg.h>
#include <stddef.h>

struct FILE;

extern "C" {
int printf(const char *format, ...);
int vprintf(const char *format, va_list args);
int _vsnprintf(char *out, size_t size, const char *format, va_list args);
int sscanf(const char *text, const char *format, ...);
int fflush(FILE *file);
FILE *fopen(const char *name, const char *mode);
char *fgets(char *line, int size, FILE *file);
int fclose(FILE *file);

size_t strlen(const char *s);
int strcmp(const char *a, const char *b);
int strncmp(const char *a, const char *b, size_t n);
int _stricmp(const char *a, const char *b);
char *strstr(const char *text, const char *part);
char *strchr(const char *text, int c);
void *memset(void *p, int c, size_t n);
void *memcpy(void *to, const void *from, size_t n);
int memcmp(const void *a, const void *b, size_t n);
void exit(int code);
}
