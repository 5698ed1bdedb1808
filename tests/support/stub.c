/* Stands in for a suite executable: the tests stamp copies of it with version resources. */
int main(void) { return 0; }
