// À écrire.
