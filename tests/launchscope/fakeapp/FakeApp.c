int launchscopeFakeAnswer(void);

int main(void)
{
    return launchscopeFakeAnswer() == 42 ? 0 : 1;
}
