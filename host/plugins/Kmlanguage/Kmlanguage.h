/*
 * Kmlanguage: conversion between simplified and traditional Chinese.
 *
 * The library is loaded by file name ("Kmlanguage.dll", which this platform's loader maps to
 * Kmlanguage.so) and offers two exports with C linkage:
 *
 *   long GBtoBIG5(const char* text, char* buffer, long bufferSize);   simplified -> traditional
 *   long BIG5toGB(const char* text, char* buffer, long bufferSize);   traditional -> simplified
 *
 * text        the text to convert: UTF-8, terminated by a NUL character. Bytes that are not
 *             UTF-8 are copied to the result unchanged; so is every character without a
 *             counterpart in the other script.
 * buffer      the caller's memory for the result; may be NULL when bufferSize is 0.
 * bufferSize  the size of buffer in bytes.
 *
 * Returns the length in bytes of the whole converted text, without its NUL. When that
 * length is less than bufferSize the text and a NUL were written to buffer; otherwise
 * buffer holds an empty text (when bufferSize > 0) and the caller asks again with a buffer
 * of at least the returned length + 1. Returns -1 when text is NULL, bufferSize is negative
 * or the conversion cannot be made (OpenCC's data files are missing).
 *
 * The library never hands out memory of its own, so there is nothing to free. The
 * conversion tables are loaded on first use and released when the library is unloaded.
 * Both exports may be called from several threads.
 */
#ifndef KMLANGUAGE_H
#define KMLANGUAGE_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KMLANGUAGE_EXPORT __attribute__((visibility("default")))
#else
#define KMLANGUAGE_EXPORT
#endif

KMLANGUAGE_EXPORT long GBtoBIG5(const char* text, char* buffer, long bufferSize);
KMLANGUAGE_EXPORT long BIG5toGB(const char* text, char* buffer, long bufferSize);

#ifdef __cplusplus
}
#endif

#endif
