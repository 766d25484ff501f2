void MAIN()
{
    FRAGCOLOR = vec4(paper.rgb, 1.0);
}
