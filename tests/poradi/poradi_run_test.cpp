// poradi run as the organiser runs it (placeholder until the rating unit is linked).
#include <gtest/gtest.h>
