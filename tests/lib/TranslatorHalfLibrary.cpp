// A conversion library with GBtoBIG5 but without BIG5toGB.
extern "C" __attribute__((visibility("default"))) long GBtoBIG5(const char*, char* buffer, long bufferSize) {
    if (buffer && bufferSize > 0)
        buffer[0] = '\0';
    return 0;
}
