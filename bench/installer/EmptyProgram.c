/* The yardstick of a start-up without a display: a program that does nothing. */
int main(void) {
    return 0;
}
